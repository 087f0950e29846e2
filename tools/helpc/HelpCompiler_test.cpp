// The help compiler's output read back by a reader written here from the file
// format (not from the writer): titles, texts, links, keywords and the trees
// that find them must all agree. Sources are written with u8"" so that they
// reach the compiler in UTF-8 whatever the execution character set.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>

#include "HelpCompiler.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

unsigned U8(const Bytes& b, std::size_t at) { return b.at(at); }
unsigned U16(const Bytes& b, std::size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) {
    return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}
std::string CString(const Bytes& b, std::size_t at) {
    std::string text;
    while (U8(b, at)) text.push_back(static_cast<char>(b.at(at++)));
    return text;
}

struct Paragraph {
    std::string text;                                          // tabs as '\t'
    std::vector<std::pair<std::uint32_t, std::string>> links;  // target hash, text
};

struct Topic {
    std::string title;
    std::uint32_t offset = 0;
    std::vector<Paragraph> paragraphs;
};

struct Help {
    std::string title, caption;
    std::vector<std::string> macros;
    std::uint32_t contents = 0xFFFFFFFF;
    std::vector<Topic> topics;
    std::map<std::uint32_t, std::uint32_t> contexts;             // hash -> offset
    std::map<std::uint32_t, std::uint32_t> numbers;              // context number -> offset
    std::map<std::uint32_t, std::string> titles;                 // offset -> title
    std::map<std::string, std::vector<std::uint32_t>> keywords;  // keyword -> offsets
};

class Reader {
public:
    explicit Reader(const Bytes& file) : file_(file) {
        if (U32(file_, 0) != 0x00035F3F || U32(file_, 12) != file_.size()) throw std::runtime_error("not a help file");
        WalkTree(U32(file_, 4) + 9, [&](std::size_t at) {
            const std::string name = CString(file_, at);
            files_[name] = U32(file_, at + name.size() + 1);
            return name.size() + 5;
        });
    }

    Help Read() {
        Help help;
        ReadSystem(help);
        ReadTopics(help);
        WalkTree(Data("|CONTEXT"), [&](std::size_t at) {
            help.contexts[U32(file_, at)] = U32(file_, at + 4);
            return std::size_t{8};
        });
        const std::size_t map = Data("|CTXOMAP");
        for (unsigned i = 0; i < U16(file_, map); ++i)
            help.numbers[U32(file_, map + 2 + 8 * i)] = U32(file_, map + 6 + 8 * i);
        WalkTree(Data("|TTLBTREE"), [&](std::size_t at) {
            const std::string title = CString(file_, at + 4);
            help.titles[U32(file_, at)] = title;
            return title.size() + 5;
        });
        const std::size_t kwdata = Data("|KWDATA");
        WalkTree(Data("|KWBTREE"), [&](std::size_t at) {
            const std::string keyword = CString(file_, at);
            const unsigned count = U16(file_, at + keyword.size() + 1);
            const std::uint32_t first = U32(file_, at + keyword.size() + 3);
            for (unsigned i = 0; i < count; ++i) help.keywords[keyword].push_back(U32(file_, kwdata + first + 4 * i));
            return keyword.size() + 7;
        });
        return help;
    }

private:
    std::size_t Data(const std::string& name) const {
        const auto found = files_.find(name);
        if (found == files_.end()) throw std::runtime_error("no internal file " + name);
        if (U32(file_, found->second) < U32(file_, found->second + 4) + 9) throw std::runtime_error("bad file header");
        return found->second + 9;
    }
    std::size_t Size(const std::string& name) const { return U32(file_, Data(name) - 5); }

    // Leaves in order: down the first children, then along the leaf chain.
    template <typename Entry>
    void WalkTree(std::size_t tree, Entry entry) {
        if (U16(file_, tree) != 0x293B) throw std::runtime_error("not a tree");
        const unsigned pageSize = U16(file_, tree + 4);
        const std::size_t pages = tree + 38;
        unsigned page = U16(file_, tree + 26);
        for (unsigned level = U16(file_, tree + 32); level > 1; --level) page = U16(file_, pages + page * pageSize + 4);
        std::size_t total = 0;
        while (page != 0xFFFF) {
            const std::size_t start = pages + page * pageSize;
            std::size_t at = start + 8;
            for (unsigned i = U16(file_, start + 2); i > 0; --i) {
                at += entry(at);
                ++total;
                if (at > start + pageSize) throw std::runtime_error("an entry runs off its page");
            }
            page = U16(file_, start + 6);
        }
        if (total != U32(file_, tree + 34)) throw std::runtime_error("tree entry count");
    }

    void ReadSystem(Help& help) {
        const std::size_t start = Data("|SYSTEM");
        if (U16(file_, start) != 0x036C || U16(file_, start + 2) <= 16) throw std::runtime_error("not a 3.1 |SYSTEM");
        for (std::size_t at = start + 12; at < start + Size("|SYSTEM"); at += 4 + U16(file_, at + 2)) {
            switch (U16(file_, at)) {
            case 1: help.title = CString(file_, at + 4); break;
            case 3: help.contents = U32(file_, at + 4); break;
            case 4: help.macros.push_back(CString(file_, at + 4)); break;
            case 6: help.caption = CString(file_, at + 4 + 2 + 10 + 9); break;
            }
        }
    }

    // Numbers of the paragraph header: the low bit tells one or two widths.
    static unsigned PackedWord(const Bytes& b, std::size_t& at) {
        const bool wide = U8(b, at) & 1;
        const unsigned value = wide ? U16(b, at) / 2 : U8(b, at) / 2;
        at += wide ? 2 : 1;
        return value;
    }
    static std::uint32_t PackedLong(const Bytes& b, std::size_t& at) {
        const bool wide = U8(b, at) & 1;
        const std::uint32_t value = wide ? (U32(b, at) - 0x80000000u) / 2 : (U16(b, at) - 0x8000u) / 2;
        at += wide ? 4 : 2;
        return value;
    }

    void ReadTopics(Help& help) {
        const std::size_t start = Data("|TOPIC");
        const std::size_t size = Size("|TOPIC");
        if (size % 4096) throw std::runtime_error("|TOPIC is not whole blocks");
        Bytes data;  // block contents without their headers, 0x4000 apart
        for (std::size_t block = 0; block * 4096 < size; ++block) {
            data.resize(block * 0x4000, 0);
            data.insert(data.end(), file_.begin() + static_cast<std::ptrdiff_t>(start + block * 4096 + 12),
                        file_.begin() + static_cast<std::ptrdiff_t>(start + (block + 1) * 4096));
        }
        std::uint32_t characters = 0;
        std::size_t lastBlock = 0;
        for (std::uint32_t position = 12; position != 0xFFFFFFFF;) {
            const std::size_t at = position - 12;
            if (at >> 14 != lastBlock) characters = 0;
            lastBlock = at >> 14;
            const std::size_t text = at + U32(data, at + 0x10);
            const std::size_t textSize = U32(data, at + 4);
            if (U32(data, at) != U32(data, at + 0x10) + textSize) throw std::runtime_error("record size");
            const unsigned type = U8(data, at + 0x14);
            if (type == 0x02) {
                Topic topic;
                topic.title.assign(data.begin() + static_cast<std::ptrdiff_t>(text),
                                   data.begin() + static_cast<std::ptrdiff_t>(text + textSize));
                topic.offset = static_cast<std::uint32_t>((at >> 14) * 0x8000 + characters);
                help.topics.push_back(topic);
            } else if (type == 0x20) {
                if (help.topics.empty()) throw std::runtime_error("text before a topic");
                std::size_t format = at + 0x15;
                PackedLong(data, format);
                const unsigned length = PackedWord(data, format);
                help.topics.back().paragraphs.push_back(ReadParagraph(data, format + 4, text, length));
                characters += length;
            } else {
                throw std::runtime_error("unknown record");
            }
            position = U32(data, at + 0xC);
        }
    }

    static Paragraph ReadParagraph(const Bytes& b, std::size_t format, std::size_t text, unsigned length) {
        const unsigned bits = U16(b, format);
        format += 2;
        for (unsigned bit : {0x0002u, 0x0004u, 0x0010u, 0x0040u})
            if (bits & bit) format += (U8(b, format) & 1) ? 2 : 1;
        if (bits & 0x0200) {
            unsigned tabs = U8(b, format) & 1 ? (U16(b, format) - 0x8000) / 2 : (U8(b, format) - 0x80) / 2;
            format += (U8(b, format) & 1) ? 2 : 1;
            while (tabs--) PackedWord(b, format);
        }
        Paragraph paragraph;
        unsigned characters = 0;
        bool inLink = false;
        for (;;) {
            const std::string piece = CString(b, text);
            text += piece.size() + 1;
            paragraph.text += piece;
            characters += static_cast<unsigned>(piece.size());
            if (inLink) paragraph.links.back().second += piece;
            const unsigned command = U8(b, format++);
            if (command == 0xFF) break;
            switch (command) {
            case 0x80: format += 2; break;
            case 0x82: ++characters; break;
            case 0x83:
                paragraph.text += '\t';
                ++characters;
                break;
            case 0x89: inLink = false; break;
            case 0xE3:
                paragraph.links.push_back({U32(b, format), {}});
                inLink = true;
                format += 4;
                break;
            default: throw std::runtime_error("unknown formatting command");
            }
        }
        if (characters != length) throw std::runtime_error("paragraph length");
        return paragraph;
    }

    const Bytes& file_;
    std::map<std::string, std::size_t> files_;
};

Help ReadHelp(const helpc::CompiledHelp& compiled) {
    if (!compiled.error.empty()) throw std::runtime_error(compiled.error);
    return Reader(compiled.bytes).Read();
}

const Topic* TopicAt(const Help& help, std::uint32_t offset) {
    for (const Topic& topic : help.topics)
        if (topic.offset == offset) return &topic;
    return nullptr;
}

helpc::Accelerator Key(const std::string& key, const std::string& command, bool control = false) {
    helpc::Accelerator accelerator;
    accelerator.key = key;
    accelerator.command = command;
    accelerator.control = control;
    return accelerator;
}

const char kSource[] =
    u8R"(# a comment
.title Aide d'essai
.helpon Autre.HLP
.keyname CONTROL Ctrl
.keyname VK_ESCAPE Échap
.command ID_COPY Copier
.command ID_CLEAR Tout effacer

= sommaire Sommaire
.keywords sommaire; aide
Voir la [mémoire](memoire_1)
et le **clavier**.
- un point [clavier](clavier)

= memoire_1 Mémoire €
.keywords mémoire; MS
.map 20
| MS | Met en mémoire.

= clavier Le clavier
.map 7
.keywords clavier
.keyboard
)";

TEST(HelpCompiler, TopicsTextsLinksAndKeywordsReadBack) {
    const Help help = ReadHelp(helpc::CompileHelp(
        kSource, {Key("\"C\"", "ID_COPY", true), Key("VK_ESCAPE", "ID_CLEAR"), Key("\"c\"", "ID_CLEAR")}));

    EXPECT_EQ(help.title, "Aide d'essai");
    EXPECT_EQ(help.caption, "Aide d'essai");
    EXPECT_NE(std::find(help.macros.begin(), help.macros.end(), "SetHelpOnFile(\"Autre.HLP\")"), help.macros.end());
    ASSERT_EQ(help.topics.size(), 3u);
    EXPECT_EQ(help.topics[1].title, "M\xE9moire \x80");  // Windows-1252
    EXPECT_EQ(help.contents, help.topics[0].offset);

    // Each topic opens with its title, then its paragraphs as written.
    const std::vector<Paragraph>& first = help.topics[0].paragraphs;
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].text, "Sommaire");
    EXPECT_EQ(first[1].text, "Voir la m\xE9moire et le clavier.");
    EXPECT_EQ(first[2].text, "\x95\tun point clavier");
    EXPECT_EQ(help.topics[1].paragraphs[1].text, "MS\tMet en m\xE9moire.");
    const std::vector<Paragraph>& keyboard = help.topics[2].paragraphs;
    ASSERT_EQ(keyboard.size(), 3u);
    EXPECT_EQ(keyboard[1].text, "Ctrl+C\tCopier");
    EXPECT_EQ(keyboard[2].text,
              "\xC9"
              "chap c\tTout effacer");

    // Links lead, through the context tree, to the topic they name.
    ASSERT_EQ(first[1].links.size(), 1u);
    EXPECT_EQ(first[1].links[0].second, "m\xE9moire");
    EXPECT_EQ(first[1].links[0].first, helpc::ContextHash("memoire_1"));
    EXPECT_EQ(TopicAt(help, help.contexts.at(first[1].links[0].first)), &help.topics[1]);
    EXPECT_EQ(TopicAt(help, help.contexts.at(first[2].links[0].first)), &help.topics[2]);

    ASSERT_EQ(help.contexts.size(), 3u);
    // A context number opens its topic; a topic without .map has none.
    ASSERT_EQ(help.numbers.size(), 2u);
    EXPECT_EQ(TopicAt(help, help.numbers.at(20)), &help.topics[1]);
    EXPECT_EQ(TopicAt(help, help.numbers.at(7)), &help.topics[2]);
    ASSERT_EQ(help.titles.size(), 3u);
    for (const Topic& topic : help.topics) EXPECT_EQ(help.titles.at(topic.offset), topic.title);

    const std::map<std::string, std::string> expected = {{"aide", "Sommaire"},
                                                         {"clavier", "Le clavier"},
                                                         {"m\xE9moire", "M\xE9moire \x80"},
                                                         {"MS", "M\xE9moire \x80"},
                                                         {"sommaire", "Sommaire"}};
    ASSERT_EQ(help.keywords.size(), expected.size());
    for (const auto& [keyword, title] : expected) {
        ASSERT_EQ(help.keywords.at(keyword).size(), 1u) << keyword;
        EXPECT_EQ(TopicAt(help, help.keywords.at(keyword)[0])->title, title);
    }
}

// Enough text for many topic blocks and trees of more than one level.
TEST(HelpCompiler, LargeHelpIsFoundThroughEveryBlockAndTreeLevel) {
    std::string source = ".title Grande aide\n";
    const int kTopics = 400;
    for (int t = 0; t < kTopics; ++t) {
        const std::string n = std::to_string(t);
        source += "= sujet_" + n + " Sujet " + n + "\n.keywords mot-cle numero " + n + "\n";
        for (int p = 0; p < 3; ++p)
            source +=
                std::string(60 + t % 50, 'a' + p) + " [suite](sujet_" + std::to_string((t + 1) % kTopics) + ")\n\n";
    }
    const helpc::CompiledHelp compiled = helpc::CompileHelp(source, {});
    const Help help = ReadHelp(compiled);
    EXPECT_GT(compiled.bytes.size(), 20u * 4096);
    ASSERT_EQ(help.topics.size(), static_cast<std::size_t>(kTopics));
    for (int t = 0; t < kTopics; ++t) {
        const std::string n = std::to_string(t);
        const Topic& topic = help.topics[t];
        EXPECT_EQ(topic.title, "Sujet " + n);
        EXPECT_EQ(TopicAt(help, help.contexts.at(helpc::ContextHash("sujet_" + n))), &topic);
        EXPECT_EQ(help.keywords.at("mot-cle numero " + n), std::vector<std::uint32_t>{topic.offset});
        const auto& link = topic.paragraphs.at(3).links.at(0);
        EXPECT_EQ(TopicAt(help, help.contexts.at(link.first))->title, "Sujet " + std::to_string((t + 1) % kTopics));
    }
}

TEST(HelpCompiler, MistakesAreReportedWithTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {".title T\n= a A\n[x](b)\n", "line 3: no topic b"},
        {".title T\n= a A\n= a B\n", "line 3: a second topic a"},
        {".title T\n= a A\n**gras\n\nsuite\n", "line 4: ** opened"},
        {".title T\n= a A\n\xC3(\n", "line 3: not UTF-8"},
        {".title T\n= a A\n.keyboard\n", "line 3: no .command for ID_X"},
        {".title T\n.keyname CONTROL C\n.command ID_X X\n.command ID_Y Y\n= a A\n.keyboard\n",
         "the keyboard has no key for .command ID_Y"},
        {".title T\n.command ID_X X\n= a A\n.keyboard\n", "line 4: no .keyname for CONTROL"},
        {".title T\n= a A\n.bold\n", "line 3: unknown directive .bold"},
        {"= a A\n", "no .title"},
        {".title T\n", "no topic"},
        {".title T\n= a A\n| seul\n", "line 3: a table row needs two cells"},
        {".title T\n= ab A\n= AB B\n", "same hash"},  // the viewer ignores case
        {".title T\n= a A\n.map 5\n= b B\n.map 5\n", "line 5: .map 5 is the topic a's"},
        {".title T\n= a A\n.map 0\n", "line 3: .map needs a number"},
    };
    for (const auto& [source, message] : cases) {
        const helpc::CompiledHelp compiled = helpc::CompileHelp(source, {Key("\"X\"", "ID_X", true)});
        EXPECT_TRUE(compiled.bytes.empty()) << source;
        EXPECT_NE(compiled.error.find(message), std::string::npos) << source << " gave: " << compiled.error;
    }
}

std::string ReadSourceFile(const std::string& path) {
    std::ifstream stream(std::string(PEMZ_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

TEST(HelpCompiler, ShippedHelpListsEveryAcceleratorOfTheProgram) {
    const helpc::AcceleratorTable table = helpc::ReadAccelerators(ReadSourceFile("res/PemzCalc.rc"), "IDR_MAIN");
    ASSERT_EQ(table.error, "");
    ASSERT_EQ(table.entries.size(), 33u);
    EXPECT_EQ(table.entries[3].key, "\",\"");
    EXPECT_EQ(table.entries[3].command, "IDC_KEY_POINT");
    EXPECT_TRUE(table.entries[22].control && table.entries[22].virtualKey);  // Ctrl+Insert
    EXPECT_EQ(table.entries[22].key, "VK_INSERT");

    const Help help = ReadHelp(helpc::CompileHelp(ReadSourceFile("res/help/PemzCalc.txt"), table.entries));
    const Topic* keyboard = TopicAt(help, help.contexts.at(helpc::ContextHash("clavier")));
    ASSERT_NE(keyboard, nullptr);
    std::string rows;
    for (const Paragraph& paragraph : keyboard->paragraphs) rows += paragraph.text + "\n";
    for (const char* row : {"Ctrl+C Ctrl+Inser\t", "Ctrl+V Maj+Inser\t", ", .\tVirgule", "0 1 2 3 4 5 6 7 8 9\t",
                            "= Entr\xE9"
                            "e\t",
                            "C \xC9"
                            "chap c\t",
                            "Retour arri\xE8re\t"})
        EXPECT_NE(rows.find(row), std::string::npos) << row;
    EXPECT_EQ(help.topics.at(0).title, "Sommaire");
    EXPECT_EQ(ReadHelp(helpc::CompileHelp(ReadSourceFile("res/help/PemzAide.txt"), {})).caption, "Utiliser l'Aide");

    EXPECT_NE(helpc::ReadAccelerators("X ACCELERATORS\nBEGIN\n\"a\", ID_A\n", "X").error, "");  // no END
    EXPECT_NE(helpc::ReadAccelerators("X ACCELERATORS\nBEGIN\n\"a\" ID_A\nEND\n", "X").error, "");
}

// Sources put together at random from the format's pieces and from noise never
// crash the compiler; what it accepts, the reader reads.
TEST(HelpCompiler, RandomSourcesGiveAFileOrAnError) {
    const std::vector<std::string> pieces = {".title T",
                                             "= a Sujet A",
                                             "= b_2 B",
                                             "= c.3 C",
                                             ".keywords x; y",
                                             ".keywords \xC3\xA9t\xC3\xA9",
                                             ".keyboard",
                                             ".command ID_X Faire X",
                                             ".keyname CONTROL Ctrl",
                                             ".helpon H.HLP",
                                             "- puce",
                                             "## titre",
                                             "| a | b",
                                             "",
                                             "texte [lien](a) **gras**",
                                             "[",
                                             "**",
                                             "\\",
                                             "](",
                                             "[x](",
                                             "[x](zz)",
                                             "\xE2\x82\xAC",
                                             "\xFF",
                                             "= ",
                                             "| a",
                                             "=  a",
                                             ".keywords ;",
                                             std::string(5000, 'w')};
    std::mt19937 random(20241207);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        // Most rounds start as a valid help, so that the pieces reach the writer.
        std::string source = round % 4 ? ".title T\n= a Sujet A\n" : "";
        const int lines = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < lines; ++i) {
            std::string line = pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
            if (random() % 4 == 0 && !line.empty()) line[random() % line.size()] = static_cast<char>(random() % 256);
            source += line + (random() % 8 ? "\n" : "\r\n");
        }
        const helpc::CompiledHelp compiled = helpc::CompileHelp(source, {Key("\"X\"", "ID_X", true)});
        EXPECT_NE(compiled.bytes.empty(), compiled.error.empty()) << source;
        if (compiled.bytes.empty()) continue;
        ++accepted;
        EXPECT_NO_THROW(ReadHelp(compiled)) << source;
    }
    EXPECT_GT(accepted, 30);  // the generator must reach the writer, not only the errors
}

}  // namespace
