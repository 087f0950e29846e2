// Reading the help source and the accelerator table; the layout is HlpWriter's.
#include "HelpCompiler.h"

#include <map>
#include <set>
#include <utility>

#include "HelpModel.h"
#include "HlpWriter.h"

namespace helpc {
namespace {

// Indents and spacing, in the viewer's paragraph units (half a pixel on a 96 dpi screen).
constexpr int kParagraphGap = 12;
constexpr int kItemGap = 4;  // between the items of a list or the rows of a table
constexpr int kBulletIndent = 24;
constexpr int kTableIndent = 240;

// Windows-1252 codes 0x80-0x9F and the characters they stand for; 0 where the code is unused.
constexpr char32_t kHighCodes[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool ToWindows1252(const std::string& utf8, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        char32_t code = 0;
        std::size_t length = 0;
        if (lead < 0x80) {
            code = lead;
            length = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            code = lead & 0x1F;
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            code = lead & 0x0F;
            length = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            code = lead & 0x07;
            length = 4;
        } else
            return false;
        if (i + length > utf8.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        i += length;
        if (code == '\t') code = ' ';
        if (code < 0x20 || code == 0x7F) return false;  // a text never holds control characters
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            out.push_back(static_cast<char>(code));
            continue;
        }
        bool found = false;
        for (unsigned k = 0; k < 32 && !found; ++k)
            if (kHighCodes[k] == code) {
                out.push_back(static_cast<char>(0x80 + k));
                found = true;
            }
        if (!found) return false;
    }
    return true;
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "word rest of line" -> {"word", "rest of line"}
std::pair<std::string, std::string> SplitWord(const std::string& text) {
    const std::string trimmed = Trim(text);
    const std::size_t space = trimmed.find(' ');
    if (space == std::string::npos) return {trimmed, {}};
    return {trimmed.substr(0, space), Trim(trimmed.substr(space + 1))};
}

bool IsContextName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.'))
            return false;
    return true;
}

struct PendingLink {
    std::string context;
    std::size_t line;
};

class SourceReader {
public:
    SourceReader(const std::vector<Accelerator>& keyboard) : keyboard_(keyboard) {}

    bool Read(const std::string& source, HelpModel& model, std::string& error);

private:
    bool Fail(const std::string& what) {
        error_ = "line " + std::to_string(line_) + ": " + what;
        return false;
    }
    bool Directive(const std::string& text);
    bool StartTopic(const std::string& text);
    bool BodyLine(const std::string& text);
    bool Inline(const std::string& text);
    bool EndParagraph();
    Paragraph& NewParagraph(Font font, Block block);
    bool KeyboardTable();
    bool KeyName(const Accelerator& accelerator, std::string& name);

    const std::vector<Accelerator>& keyboard_;
    HelpModel* model_ = nullptr;
    std::string error_;
    std::size_t line_ = 0;
    std::map<std::string, std::string> keyNames_;
    std::map<std::string, std::string> commands_;
    std::set<std::string> commandsUsed_;
    std::vector<PendingLink> links_;
    bool inParagraph_ = false;
    bool bold_ = false;
};

bool SourceReader::Read(const std::string& source, HelpModel& model, std::string& error) {
    model_ = &model;
    std::size_t start = 0;
    bool ok = true;
    while (ok && start <= source.size()) {
        std::size_t end = source.find('\n', start);
        if (end == std::string::npos) end = source.size();
        std::string raw = source.substr(start, end - start);
        start = end + 1;
        ++line_;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string text;
        if (!ToWindows1252(raw, text)) {
            ok = Fail("not UTF-8 text that Windows-1252 can hold");
            break;
        }
        if (StartsWith(text, "#")) continue;
        if (StartsWith(text, "."))
            ok = EndParagraph() && Directive(text);
        else if (StartsWith(text, "= "))
            ok = EndParagraph() && StartTopic(text.substr(2));
        else
            ok = BodyLine(text);
    }
    if (ok) ok = EndParagraph();
    if (ok && model.title.empty()) ok = Fail("no .title");
    if (ok && model.topics.empty()) ok = Fail("no topic");
    if (ok)
        for (const auto& [command, text] : commands_)
            if (!commandsUsed_.count(command)) {
                ok = Fail("the keyboard has no key for .command " + command);
                break;
            }
    if (ok) {
        std::set<std::string> contexts;
        for (const Topic& topic : model.topics) contexts.insert(topic.context);
        for (const PendingLink& link : links_)
            if (!contexts.count(link.context)) {
                line_ = link.line;
                ok = Fail("no topic " + link.context);
                break;
            }
    }
    error = error_;
    return ok;
}

bool SourceReader::Directive(const std::string& text) {
    const auto [name, rest] = SplitWord(text);
    if (name == ".title") {
        if (rest.empty()) return Fail(".title needs a text");
        model_->title = rest;
    } else if (name == ".helpon") {
        if (rest.empty() || rest.find('"') != std::string::npos) return Fail(".helpon needs a file name");
        model_->helpOnFile = rest;
    } else if (name == ".keyname" || name == ".command") {
        const auto [key, value] = SplitWord(rest);
        if (key.empty() || value.empty()) return Fail(name + " needs a name and a text");
        (name == ".keyname" ? keyNames_ : commands_)[key] = value;
    } else if (name == ".keywords") {
        if (model_->topics.empty()) return Fail(".keywords outside a topic");
        std::size_t from = 0;
        while (from <= rest.size()) {
            std::size_t to = rest.find(';', from);
            if (to == std::string::npos) to = rest.size();
            const std::string keyword = Trim(rest.substr(from, to - from));
            if (keyword.empty()) return Fail("an empty keyword");
            model_->topics.back().keywords.push_back(keyword);
            from = to + 1;
        }
    } else if (name == ".map") {
        if (model_->topics.empty()) return Fail(".map outside a topic");
        if (rest.empty() || rest.size() > 9 || rest.find_first_not_of("0123456789") != std::string::npos ||
            std::stoul(rest) == 0)
            return Fail(".map needs a number from 1 to 999999999");
        const std::uint32_t number = static_cast<std::uint32_t>(std::stoul(rest));
        for (const Topic& topic : model_->topics)
            if (topic.mapNumber == number) return Fail(".map " + rest + " is the topic " + topic.context + "'s");
        if (model_->topics.back().mapNumber) return Fail("a second .map for the topic");
        model_->topics.back().mapNumber = number;
    } else if (name == ".keyboard") {
        if (model_->topics.empty()) return Fail(".keyboard outside a topic");
        return KeyboardTable();
    } else {
        return Fail("unknown directive " + name);
    }
    return true;
}

bool SourceReader::StartTopic(const std::string& text) {
    const auto [context, title] = SplitWord(text);
    if (!IsContextName(context)) return Fail("a topic needs a context name of letters, digits, '_' and '.'");
    if (title.empty()) return Fail("a topic needs a title");
    for (const Topic& topic : model_->topics) {
        if (topic.context == context) return Fail("a second topic " + context);
        if (ContextHash(topic.context) == ContextHash(context))
            return Fail("the context names " + topic.context + " and " + context + " have the same hash");
    }
    Topic topic;
    topic.context = context;
    topic.title = title;
    model_->topics.push_back(std::move(topic));
    Paragraph& heading = NewParagraph(Font::Heading, Block::Heading);
    heading.runs.push_back({Run::Kind::Text, title, Font::Body, 0});
    heading.spaceAfter = 2 * kParagraphGap;
    return true;
}

Paragraph& SourceReader::NewParagraph(Font font, Block block) {
    Paragraph& paragraph = model_->topics.back().paragraphs.emplace_back();
    paragraph.block = block;
    paragraph.runs.push_back({Run::Kind::SetFont, {}, font, 0});
    paragraph.spaceAfter = kParagraphGap;
    return paragraph;
}

bool SourceReader::BodyLine(const std::string& text) {
    if (Trim(text).empty()) return EndParagraph();
    if (model_->topics.empty()) return Fail("text before the first topic");
    if (StartsWith(text, "- ")) {
        if (!EndParagraph()) return false;
        Paragraph& item = NewParagraph(Font::Body, Block::ListItem);
        item.runs.push_back({Run::Kind::Text, "\x95", Font::Body, 0});  // bullet
        item.runs.push_back({Run::Kind::Tab, {}, Font::Body, 0});
        item.leftIndent = kBulletIndent;
        item.firstLineIndent = -kBulletIndent;
        item.tabStops = {kBulletIndent};
        item.spaceAfter = kItemGap;
        inParagraph_ = true;
        return Inline(Trim(text.substr(2)));
    }
    if (StartsWith(text, "## ")) {
        if (!EndParagraph()) return false;
        Paragraph& heading = NewParagraph(Font::Bold, Block::Subheading);
        heading.spaceBefore = kParagraphGap;
        inParagraph_ = true;
        return Inline(Trim(text.substr(3))) && EndParagraph();
    }
    if (StartsWith(text, "| ")) {
        if (!EndParagraph()) return false;
        const std::string row = text.substr(2);
        const std::size_t bar = row.find(" | ");
        if (bar == std::string::npos) return Fail("a table row needs two cells: | left | right");
        Paragraph& paragraph = NewParagraph(Font::Body, Block::TableRow);
        paragraph.leftIndent = kTableIndent;
        paragraph.firstLineIndent = -kTableIndent;
        paragraph.tabStops = {kTableIndent};
        paragraph.spaceAfter = kItemGap;
        inParagraph_ = true;
        paragraph.runs.push_back({Run::Kind::SetFont, {}, Font::Bold, 0});
        if (!Inline(Trim(row.substr(0, bar)))) return false;
        std::vector<Run>& runs = model_->topics.back().paragraphs.back().runs;
        runs.push_back({Run::Kind::Tab, {}, Font::Body, 0});
        runs.push_back({Run::Kind::SetFont, {}, Font::Body, 0});
        return Inline(Trim(row.substr(bar + 3))) && EndParagraph();
    }
    if (!inParagraph_) {
        // A list or a table keeps its items close; the text after it stands apart.
        const std::vector<Paragraph>& before = model_->topics.back().paragraphs;
        const bool afterItems = before.back().spaceAfter == kItemGap;
        NewParagraph(Font::Body, Block::Text).spaceBefore = afterItems ? kParagraphGap - kItemGap : 0;
        inParagraph_ = true;
    } else {
        model_->topics.back().paragraphs.back().runs.push_back({Run::Kind::Text, " ", Font::Body, 0});
    }
    return Inline(Trim(text));
}

// **bold**, [text](context), and \ before a character that would be markup.
bool SourceReader::Inline(const std::string& text) {
    std::vector<Run>& runs = model_->topics.back().paragraphs.back().runs;
    std::string pending;
    auto flush = [&] {
        if (!pending.empty()) runs.push_back({Run::Kind::Text, pending, Font::Body, 0});
        pending.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            pending.push_back(text[++i]);
        } else if (c == '*' && i + 1 < text.size() && text[i + 1] == '*') {
            flush();
            bold_ = !bold_;
            runs.push_back({Run::Kind::SetFont, {}, bold_ ? Font::Bold : Font::Body, 0});
            ++i;
        } else if (c == '[') {
            const std::size_t close = text.find("](", i);
            const std::size_t end = close == std::string::npos ? close : text.find(')', close);
            if (end == std::string::npos) return Fail("a link needs [text](context)");
            const std::string label = text.substr(i + 1, close - i - 1);
            const std::string context = text.substr(close + 2, end - close - 2);
            if (label.empty() || label.find('[') != std::string::npos) return Fail("a link needs a text");
            if (!IsContextName(context)) return Fail("a link needs a context name");
            flush();
            runs.push_back({Run::Kind::LinkStart, {}, Font::Body, ContextHash(context)});
            runs.push_back({Run::Kind::Text, label, Font::Body, 0});
            runs.push_back({Run::Kind::LinkEnd, {}, Font::Body, 0});
            links_.push_back({context, line_});
            i = end;
        } else {
            pending.push_back(c);
        }
    }
    flush();
    return true;
}

bool SourceReader::EndParagraph() {
    inParagraph_ = false;
    if (bold_) {
        bold_ = false;
        return Fail("** opened and not closed in the paragraph");
    }
    return true;
}

bool SourceReader::KeyName(const Accelerator& accelerator, std::string& name) {
    name.clear();
    const std::pair<bool, const char*> modifiers[] = {
        {accelerator.control, "CONTROL"}, {accelerator.shift, "SHIFT"}, {accelerator.alt, "ALT"}};
    for (const auto& [held, modifier] : modifiers) {
        if (!held) continue;
        const auto found = keyNames_.find(modifier);
        if (found == keyNames_.end()) return Fail(std::string("no .keyname for ") + modifier);
        name += found->second + "+";
    }
    const std::string& key = accelerator.key;
    if (key.size() == 3 && key.front() == '"' && key.back() == '"' && key[1] > ' ') {
        name += key[1];
        return true;
    }
    const auto found = keyNames_.find(key);
    if (found == keyNames_.end()) return Fail("no .keyname for the key " + key);
    name += found->second;
    return true;
}

// One row per command text, in the table's order, listing every key that gives it.
bool SourceReader::KeyboardTable() {
    std::vector<std::pair<std::string, std::string>> rows;  // keys, text
    for (const Accelerator& accelerator : keyboard_) {
        const auto command = commands_.find(accelerator.command);
        if (command == commands_.end()) return Fail("no .command for " + accelerator.command);
        commandsUsed_.insert(accelerator.command);
        std::string key;
        if (!KeyName(accelerator, key)) return false;
        bool merged = false;
        for (auto& row : rows)
            if (row.second == command->second) {
                row.first += " " + key;
                merged = true;
            }
        if (!merged) rows.emplace_back(key, command->second);
    }
    for (const auto& [keys, text] : rows)
        if (!BodyLine("| " + keys + " | " + text)) return false;
    return true;
}

// "name" (quotes included), an identifier or a number; nothing else can be a key.
bool ReadKeyToken(const std::string& token) {
    if (token.size() >= 3 && token.front() == '"' && token.back() == '"') return true;
    if (token.empty()) return false;
    for (char c : token)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

}  // namespace

std::uint32_t ContextHash(const std::string& context) {
    std::uint32_t hash = 0;
    for (char c : context) {
        std::uint32_t value = 0;
        if (c >= 'A' && c <= 'Z')
            value = static_cast<std::uint32_t>(c - 'A' + 17);
        else if (c >= 'a' && c <= 'z')
            value = static_cast<std::uint32_t>(c - 'a' + 17);
        else if (c >= '1' && c <= '9')
            value = static_cast<std::uint32_t>(c - '0');
        else if (c == '0')
            value = 10;
        else if (c == '.')
            value = 12;
        else if (c == '_')
            value = 13;
        if (value) hash = hash * 43 + value;
    }
    return hash;
}

AcceleratorTable ReadAccelerators(const std::string& script, const std::string& name) {
    AcceleratorTable table;
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= script.size();) {
        std::size_t end = script.find('\n', start);
        if (end == std::string::npos) end = script.size();
        std::string line = script.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(Trim(line));
        start = end + 1;
    }
    std::size_t i = 0;
    while (i < lines.size() && SplitWord(lines[i]) != std::make_pair(name, std::string("ACCELERATORS"))) ++i;
    if (i == lines.size()) {
        table.error = "no accelerator table " + name;
        return table;
    }
    if (++i >= lines.size() || (lines[i] != "BEGIN" && lines[i] != "{")) {
        table.error = "the accelerator table " + name + " has no BEGIN";
        return table;
    }
    for (++i; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line == "END" || line == "}") return table;
        if (line.empty() || StartsWith(line, "//")) continue;
        std::vector<std::string> fields;
        std::size_t from = 0;
        // A quoted "," is a key, not a separator.
        while (from <= line.size()) {
            std::size_t to = line.find(',', line[from] == '"' ? std::min(line.size(), from + 2) : from);
            if (to == std::string::npos) to = line.size();
            fields.push_back(Trim(line.substr(from, to - from)));
            from = to + 1;
            while (from < line.size() && line[from] == ' ') ++from;
        }
        Accelerator accelerator;
        if (fields.size() < 2 || !ReadKeyToken(fields[0]) || !ReadKeyToken(fields[1])) {
            table.error = "cannot read the accelerator " + line;
            table.entries.clear();
            return table;
        }
        accelerator.key = fields[0];
        accelerator.command = fields[1];
        for (std::size_t f = 2; f < fields.size(); ++f) {
            if (fields[f] == "VIRTKEY")
                accelerator.virtualKey = true;
            else if (fields[f] == "CONTROL")
                accelerator.control = true;
            else if (fields[f] == "SHIFT")
                accelerator.shift = true;
            else if (fields[f] == "ALT")
                accelerator.alt = true;
        }
        table.entries.push_back(std::move(accelerator));
    }
    table.error = "the accelerator table " + name + " has no END";
    table.entries.clear();
    return table;
}

HelpModel ReadHelp(const std::string& source, const std::vector<Accelerator>& keyboard, std::string& error) {
    HelpModel model;
    SourceReader reader(keyboard);
    if (!reader.Read(source, model, error)) return {};
    return model;
}

CompiledHelp CompileHelp(const std::string& source, const std::vector<Accelerator>& keyboard) {
    CompiledHelp result;
    const HelpModel model = ReadHelp(source, keyboard, result.error);
    if (result.error.empty()) result.bytes = WriteHlp(model, result.error);
    return result;
}

}  // namespace helpc
