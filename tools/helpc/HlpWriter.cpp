// The binary layout of a WinHelp 3.1 file. Numbers are little-endian. Topic
// records never straddle a block, so every record position is simply
// block * 0x4000 + 12 + offset, and a topic's text offset block * 0x8000 + the
// characters of the block's paragraphs before it: what the viewer computes.
#include "HlpWriter.h"

#include "HelpCompiler.h"

#include <algorithm>
#include <map>
#include <utility>

namespace helpc {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kBlockSize = 0x1000;
constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kBlockData = kBlockSize - kBlockHeader;
constexpr std::size_t kRecordHeader = 0x15;
constexpr std::size_t kMaxBlocks = 0x8000;  // keeps text offsets within 32 bits
constexpr std::uint16_t kPageSize = 1024;

void Put8(Bytes& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value)); }
void Put16(Bytes& out, unsigned value) {
    Put8(out, value & 0xFF);
    Put8(out, (value >> 8) & 0xFF);
}
void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void PutText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }
void PutString(Bytes& out, const std::string& text) {
    PutText(out, text);
    Put8(out, 0);
}
void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

// Paragraph headers store numbers in one or two widths, told apart by the low bit.
void PutPackedUnsigned16(Bytes& out, unsigned value) {
    if (value < 0x80)
        Put8(out, value * 2);
    else
        Put16(out, value * 2 + 1);
}
void PutPackedSigned16(Bytes& out, int value) {
    if (value >= -0x40 && value < 0x40)
        Put8(out, static_cast<unsigned>(value * 2 + 0x80));
    else
        Put16(out, static_cast<unsigned>(value * 2 + 0x8001));
}
void PutPackedSigned32(Bytes& out, std::uint32_t value) {
    if (value < 0x4000)
        Put16(out, value * 2 + 0x8000);
    else
        Put32(out, value * 2 + 0x80000001u);
}

// ---- B+ trees -----------------------------------------------------------------

struct TreeEntry {
    Bytes key;
    Bytes value;  // leaf data after the key
};

// Entries must be sorted as the viewer compares them.
bool BuildTree(const std::vector<TreeEntry>& entries, unsigned flags, const std::string& structure, Bytes& out,
               std::string& error) {
    constexpr std::size_t kLeafHeader = 8;
    constexpr std::size_t kIndexHeader = 6;
    std::vector<Bytes> pages;
    struct Child {
        unsigned page;
        const Bytes* firstKey;
    };
    std::vector<Child> level;

    // Leaves, chained both ways.
    std::size_t next = 0;
    do {
        Bytes body;
        unsigned count = 0;
        const Bytes* firstKey = next < entries.size() ? &entries[next].key : nullptr;
        while (next < entries.size()) {
            const std::size_t size = entries[next].key.size() + entries[next].value.size();
            if (kLeafHeader + size > kPageSize) {
                error = "an index entry is too long";
                return false;
            }
            if (kLeafHeader + body.size() + size > kPageSize) break;
            Append(body, entries[next].key);
            Append(body, entries[next].value);
            ++count;
            ++next;
        }
        const unsigned page = static_cast<unsigned>(pages.size());
        Bytes bytes;
        Put16(bytes, static_cast<unsigned>(kPageSize - kLeafHeader - body.size()));
        Put16(bytes, count);
        Put16(bytes, page == 0 ? 0xFFFF : page - 1);
        Put16(bytes, next < entries.size() ? page + 1 : 0xFFFF);
        Append(bytes, body);
        pages.push_back(std::move(bytes));
        level.push_back({page, firstKey});
    } while (next < entries.size());

    unsigned levels = 1;
    while (level.size() > 1) {
        std::vector<Child> upper;
        std::size_t i = 0;
        while (i < level.size()) {
            Bytes body;
            unsigned count = 0;
            const Child first = level[i++];
            while (i < level.size()) {
                const std::size_t size = level[i].firstKey->size() + 2;
                if (kIndexHeader + body.size() + size > kPageSize) break;
                Append(body, *level[i].firstKey);
                Put16(body, level[i].page);
                ++count;
                ++i;
            }
            if (count == 0 && i < level.size()) {
                error = "an index key is too long";
                return false;
            }
            Bytes bytes;
            Put16(bytes, static_cast<unsigned>(kPageSize - kIndexHeader - body.size()));
            Put16(bytes, count);
            Put16(bytes, first.page);
            Append(bytes, body);
            upper.push_back({static_cast<unsigned>(pages.size()), first.firstKey});
            pages.push_back(std::move(bytes));
        }
        level = std::move(upper);
        ++levels;
    }
    if (pages.size() >= 0x7FFF) {
        error = "an index is too large";
        return false;
    }

    Put16(out, 0x293B);
    Put16(out, flags);
    Put16(out, kPageSize);
    std::string name = structure;
    name.resize(16, '\0');
    PutText(out, name);
    Put16(out, 0);  // must be zero
    Put16(out, 0);  // page splits
    Put16(out, level.front().page);
    Put16(out, 0xFFFF);
    Put16(out, static_cast<unsigned>(pages.size()));
    Put16(out, levels);
    Put32(out, static_cast<std::uint32_t>(entries.size()));
    for (Bytes& page : pages) {
        page.resize(kPageSize, 0);
        Append(out, page);
    }
    return true;
}

Bytes Key32(std::uint32_t value) {
    Bytes key;
    Put32(key, value);
    return key;
}

Bytes KeyString(const std::string& text) {
    Bytes key;
    PutString(key, text);
    return key;
}

// ---- |TOPIC -------------------------------------------------------------------

struct Record {
    std::uint8_t type = 0;
    Bytes data1;  // after the 0x15-byte header
    Bytes text;   // LinkData2
    std::uint32_t characters = 0;
    std::size_t topic = 0;
    std::uint32_t position = 0;  // TOPICPOS
    std::size_t block = 0;
    std::size_t offset = 0;
};

std::size_t RecordSize(const Record& record) { return kRecordHeader + record.data1.size() + record.text.size(); }

void EncodeParagraph(const Paragraph& paragraph, Record& record) {
    Bytes commands;
    std::string pending;
    std::uint32_t characters = 0;
    auto command = [&](std::initializer_list<unsigned> bytes) {
        PutString(record.text, pending);
        pending.clear();
        for (unsigned b : bytes) Put8(commands, b);
    };
    for (const Run& run : paragraph.runs) {
        switch (run.kind) {
        case Run::Kind::Text:
            pending += run.text;
            characters += static_cast<std::uint32_t>(run.text.size());
            break;
        case Run::Kind::SetFont: command({0x80, static_cast<unsigned>(run.font), 0}); break;
        case Run::Kind::LinkStart:
            command({0xE3, run.hash & 0xFF, (run.hash >> 8) & 0xFF, (run.hash >> 16) & 0xFF, run.hash >> 24});
            break;
        case Run::Kind::LinkEnd: command({0x89}); break;
        case Run::Kind::Tab:
            command({0x83});
            ++characters;
            break;
        }
    }
    command({0x82});  // end of paragraph
    ++characters;
    command({0xFF});

    unsigned bits = 0;
    if (paragraph.spaceBefore) bits |= 0x0002;
    if (paragraph.spaceAfter) bits |= 0x0004;
    if (paragraph.leftIndent) bits |= 0x0010;
    if (paragraph.firstLineIndent) bits |= 0x0040;
    if (!paragraph.tabStops.empty()) bits |= 0x0200;

    PutPackedSigned32(record.data1, static_cast<std::uint32_t>(record.text.size()));
    PutPackedUnsigned16(record.data1, characters);
    Put8(record.data1, 0x00);
    Put8(record.data1, 0x80);
    Put16(record.data1, 0);
    Put16(record.data1, bits);
    if (paragraph.spaceBefore) PutPackedSigned16(record.data1, paragraph.spaceBefore);
    if (paragraph.spaceAfter) PutPackedSigned16(record.data1, paragraph.spaceAfter);
    if (paragraph.leftIndent) PutPackedSigned16(record.data1, paragraph.leftIndent);
    if (paragraph.firstLineIndent) PutPackedSigned16(record.data1, paragraph.firstLineIndent);
    if (!paragraph.tabStops.empty()) {
        PutPackedSigned16(record.data1, static_cast<int>(paragraph.tabStops.size()));
        for (int stop : paragraph.tabStops) PutPackedUnsigned16(record.data1, static_cast<unsigned>(stop) & 0x3FFF);
    }
    Append(record.data1, commands);
    record.type = 0x20;
    record.characters = characters;
}

struct TopicLayout {
    Bytes file;                          // the |TOPIC file
    std::vector<std::uint32_t> offsets;  // each topic's text offset
};

bool LayOutTopics(const HelpModel& model, TopicLayout& layout, std::string& error) {
    std::vector<Record> records;
    std::vector<std::size_t> headers;
    for (std::size_t t = 0; t < model.topics.size(); ++t) {
        Record header;
        header.type = 0x02;
        header.topic = t;
        header.data1.resize(28, 0);  // filled once positions are known
        PutText(header.text, model.topics[t].title);
        headers.push_back(records.size());
        records.push_back(std::move(header));
        for (const Paragraph& paragraph : model.topics[t].paragraphs) {
            Record record;
            record.topic = t;
            EncodeParagraph(paragraph, record);
            if (record.characters >= 0x8000) {
                error = "a paragraph of \"" + model.topics[t].title + "\" is too long";
                return false;
            }
            records.push_back(std::move(record));
        }
    }

    // Positions, and each topic's text offset as the viewer counts it.
    std::size_t block = 0;
    std::size_t used = 0;
    std::uint32_t characters = 0;
    layout.offsets.assign(model.topics.size(), 0);
    for (Record& record : records) {
        const std::size_t size = RecordSize(record);
        if (size > kBlockData) {
            error = "a paragraph of \"" + model.topics[record.topic].title + "\" is too long";
            return false;
        }
        if (used + size > kBlockData) {
            ++block;
            used = 0;
            characters = 0;
        }
        record.block = block;
        record.offset = used;
        record.position = static_cast<std::uint32_t>(block * 0x4000 + kBlockHeader + used);
        if (record.type == 0x02) layout.offsets[record.topic] = static_cast<std::uint32_t>(block * 0x8000 + characters);
        characters += record.characters;
        used += size;
    }
    const std::size_t blocks = block + 1;
    if (blocks > kMaxBlocks) {
        error = "the help text is too long";
        return false;
    }

    // Topic headers: browse sequence in topic order, the next topic's record.
    for (std::size_t t = 0; t < headers.size(); ++t) {
        Record& header = records[headers[t]];
        const std::size_t end = t + 1 < headers.size() ? headers[t + 1] : records.size();
        std::uint32_t topicBytes = 0;
        for (std::size_t r = headers[t]; r < end; ++r) topicBytes += static_cast<std::uint32_t>(RecordSize(records[r]));
        Bytes data;
        Put32(data, topicBytes);
        Put32(data, t > 0 ? layout.offsets[t - 1] : kNone);
        Put32(data, t + 1 < headers.size() ? layout.offsets[t + 1] : kNone);
        Put32(data, static_cast<std::uint32_t>(t));
        Put32(data, kNone);  // no non-scrolling region
        Put32(data, headers[t] + 1 < end ? records[headers[t] + 1].position : kNone);
        Put32(data, t + 1 < headers.size() ? records[headers[t + 1]].position : kNone);
        header.data1 = std::move(data);
    }

    layout.file.assign(blocks * kBlockSize, 0);
    std::uint32_t lastRecord = kNone;
    std::uint32_t lastHeader = kNone;
    std::size_t r = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        Bytes head;
        Put32(head, lastRecord);
        Put32(head, r < records.size() && records[r].block == b ? records[r].position : kNone);
        Put32(head, lastHeader);
        std::copy(head.begin(), head.end(), layout.file.begin() + static_cast<std::ptrdiff_t>(b * kBlockSize));
        for (; r < records.size() && records[r].block == b; ++r) {
            const Record& record = records[r];
            Bytes bytes;
            Put32(bytes, static_cast<std::uint32_t>(RecordSize(record)));
            Put32(bytes, static_cast<std::uint32_t>(record.text.size()));
            Put32(bytes, r > 0 ? records[r - 1].position : kNone);
            Put32(bytes, r + 1 < records.size() ? records[r + 1].position : kNone);
            Put32(bytes, static_cast<std::uint32_t>(kRecordHeader + record.data1.size()));
            Put8(bytes, record.type);
            Append(bytes, record.data1);
            Append(bytes, record.text);
            std::copy(bytes.begin(), bytes.end(),
                      layout.file.begin() + static_cast<std::ptrdiff_t>(b * kBlockSize + kBlockHeader + record.offset));
            lastRecord = record.position;
            if (record.type == 0x02) lastHeader = record.position;
        }
    }
    return true;
}

// ---- The other internal files ---------------------------------------------------

void PutSystemRecord(Bytes& out, unsigned type, const Bytes& data) {
    Put16(out, type);
    Put16(out, static_cast<unsigned>(data.size()));
    Append(out, data);
}

Bytes SystemFile(const HelpModel& model, std::uint32_t contentsOffset) {
    Bytes out;
    Put16(out, 0x036C);
    Put16(out, 21);  // 3.1
    Put16(out, 1);
    Put32(out, 0);  // no build date: two builds give the same bytes
    Put16(out, 0);  // uncompressed, 4 KiB topic blocks
    PutSystemRecord(out, 1, KeyString(model.title));
    PutSystemRecord(out, 3, Key32(contentsOffset));
    // The viewer's main window, so that its caption is the help's title rather than its own name.
    Bytes window;
    Put16(window, 0x0001 | 0x0002 | 0x0004);  // type, name and caption given
    for (const auto& [text, length] :
         {std::pair<std::string, std::size_t>{"primary", 10}, {"main", 9}, {model.title.substr(0, 50), 51}}) {
        std::string field = text;
        field.resize(length, '\0');
        PutText(window, field);
    }
    window.resize(90, 0);  // position, size, state and colours: the viewer's defaults
    PutSystemRecord(out, 6, window);
    PutSystemRecord(out, 4, KeyString("BrowseButtons()"));
    if (!model.helpOnFile.empty()) PutSystemRecord(out, 4, KeyString("SetHelpOnFile(\"" + model.helpOnFile + "\")"));
    return out;
}

Bytes FontFile() {
    struct Face {
        unsigned attributes;
        unsigned halfPoints;
        std::uint8_t red, green, blue;
    };
    // Indexed by Font.
    const Face faces[] = {{0, 20, 0, 0, 0}, {1, 20, 0, 0, 0}, {1, 28, 0, 0, 128}};
    const std::string faceName = "Arial";
    constexpr unsigned kFaceNameLength = 20;
    Bytes out;
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(std::size(faces)));
    Put16(out, 8);
    Put16(out, 8 + kFaceNameLength);
    std::string name = faceName;
    name.resize(kFaceNameLength, '\0');
    PutText(out, name);
    for (const Face& face : faces) {
        Put8(out, face.attributes);
        Put8(out, face.halfPoints);
        Put8(out, 3);  // swiss
        Put16(out, 0);
        Put8(out, face.red);
        Put8(out, face.green);
        Put8(out, face.blue);
        Put8(out, 255);
        Put8(out, 255);
        Put8(out, 255);
    }
    return out;
}

bool KeywordFiles(const HelpModel& model, const std::vector<std::uint32_t>& offsets, Bytes& tree, Bytes& data,
                  std::string& error) {
    std::map<std::pair<std::string, std::string>, std::vector<std::uint32_t>> index;
    for (std::size_t t = 0; t < model.topics.size(); ++t)
        for (const std::string& keyword : model.topics[t].keywords) {
            std::vector<std::uint32_t>& topics = index[{FoldKeyword(keyword), keyword}];
            if (std::find(topics.begin(), topics.end(), offsets[t]) == topics.end()) topics.push_back(offsets[t]);
        }
    std::vector<TreeEntry> entries;
    for (const auto& [key, topics] : index) {
        TreeEntry entry{KeyString(key.second), {}};
        Put16(entry.value, static_cast<unsigned>(topics.size()));
        Put32(entry.value, static_cast<std::uint32_t>(data.size()));
        for (std::uint32_t offset : topics) Put32(data, offset);
        entries.push_back(std::move(entry));
    }
    return BuildTree(entries, 0x0002, "F24", tree, error);
}

// The context numbers of the topics (|CTXOMAP): a count, then number and topic offset.
Bytes MapFile(const HelpModel& model, const std::vector<std::uint32_t>& offsets) {
    Bytes out;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> numbers;
    for (std::size_t t = 0; t < model.topics.size(); ++t)
        if (model.topics[t].mapNumber) numbers.emplace_back(model.topics[t].mapNumber, offsets[t]);
    Put16(out, static_cast<unsigned>(numbers.size()));
    for (const auto& [number, offset] : numbers) {
        Put32(out, number);
        Put32(out, offset);
    }
    return out;
}

bool ContextFile(const HelpModel& model, const std::vector<std::uint32_t>& offsets, Bytes& out, std::string& error) {
    std::vector<std::pair<std::int32_t, std::uint32_t>> hashes;
    for (std::size_t t = 0; t < model.topics.size(); ++t)
        hashes.emplace_back(static_cast<std::int32_t>(ContextHash(model.topics[t].context)), offsets[t]);
    std::sort(hashes.begin(), hashes.end());  // the viewer compares hashes as signed numbers
    std::vector<TreeEntry> entries;
    for (const auto& [hash, offset] : hashes)
        entries.push_back({Key32(static_cast<std::uint32_t>(hash)), Key32(offset)});
    return BuildTree(entries, 0x0002, "L4", out, error);
}

bool TitleFile(const HelpModel& model, const std::vector<std::uint32_t>& offsets, Bytes& out, std::string& error) {
    std::vector<TreeEntry> entries;
    for (std::size_t t = 0; t < model.topics.size(); ++t)
        entries.push_back({Key32(offsets[t]), KeyString(model.topics[t].title)});
    return BuildTree(entries, 0x0002, "Lz", out, error);
}

}  // namespace

std::vector<std::uint8_t> WriteHlp(const HelpModel& model, std::string& error) {
    TopicLayout topics;
    if (model.topics.empty()) {
        error = "the help has no topic";
        return {};
    }
    if (!LayOutTopics(model, topics, error)) return {};

    std::map<std::string, Bytes> files;  // ordered as the directory compares names
    files["|SYSTEM"] = SystemFile(model, topics.offsets.front());
    files["|TOPIC"] = std::move(topics.file);
    files["|FONT"] = FontFile();
    files["|CTXOMAP"] = MapFile(model, topics.offsets);
    if (!ContextFile(model, topics.offsets, files["|CONTEXT"], error) ||
        !TitleFile(model, topics.offsets, files["|TTLBTREE"], error) ||
        !KeywordFiles(model, topics.offsets, files["|KWBTREE"], files["|KWDATA"], error))
        return {};

    Bytes out(16, 0);
    std::vector<TreeEntry> directory;
    auto putFile = [&out](const Bytes& data) {
        Put32(out, static_cast<std::uint32_t>(data.size() + 9));
        Put32(out, static_cast<std::uint32_t>(data.size()));
        Put8(out, 4);
        Append(out, data);
    };
    for (const auto& [name, data] : files) {
        TreeEntry entry{KeyString(name), Key32(static_cast<std::uint32_t>(out.size()))};
        directory.push_back(std::move(entry));
        putFile(data);
    }
    Bytes tree;
    if (!BuildTree(directory, 0x0402, "z4", tree, error)) return {};
    const std::uint32_t directoryStart = static_cast<std::uint32_t>(out.size());
    putFile(tree);

    Bytes header;
    Put32(header, 0x00035F3F);
    Put32(header, directoryStart);
    Put32(header, kNone);  // no free block
    Put32(header, static_cast<std::uint32_t>(out.size()));
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}

std::string FoldKeyword(const std::string& keyword) {
    static const char kFold[] =  // 0xC0-0xFF
        "AAAAAAACEEEEIIII"
        "DNOOOOO*OUUUUYPs"
        "aaaaaaaceeeeiiii"
        "dnooooo/ouuuuypy";
    std::string folded;
    for (unsigned char c : keyword) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        else if (c >= 0xC0)
            c = static_cast<unsigned char>(kFold[c - 0xC0]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        folded.push_back(static_cast<char>(c));
    }
    return folded;
}

}  // namespace helpc
