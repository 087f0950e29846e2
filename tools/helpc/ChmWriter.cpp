// The HTML Help project of a help model; the reading is HelpCompiler's.
#include "ChmWriter.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "HelpCompiler.h"

namespace helpc {
namespace {

constexpr const char* kStyleSheet = "aide.css";

// Sizes in em, so that the page grows with the reader's text size or zoom.
constexpr const char* kStyle =
    "body { font-family: Verdana, Tahoma, Arial, sans-serif; font-size: 100%; line-height: 1.4;\n"
    "       color: #000000; background: #ffffff; margin: 1em 1.5em; max-width: 42em; }\n"
    "h1 { font-size: 1.4em; color: #003c78; border-bottom: 1px solid #b0b0b0; padding-bottom: 0.2em; }\n"
    "h2 { font-size: 1.1em; margin: 1.2em 0 0.3em; }\n"
    "p { margin: 0 0 0.8em; }\n"
    "ul { margin: 0.3em 0 0.8em; padding-left: 1.5em; }\n"
    "li { margin: 0.2em 0; }\n"
    "table { border-collapse: collapse; margin: 0.3em 0 0.8em; }\n"
    "td { padding: 0.2em 1em 0.2em 0; vertical-align: top; }\n"
    "td.touche { white-space: nowrap; }\n"
    "a { color: #0000c0; }\n";

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

// The HTML of each kind of paragraph, in the order of Block: the list or table it
// goes in, and what opens and closes it.
struct Elements {
    const char* container;
    const char* open;
    const char* close;
};
constexpr Elements kElements[] = {
    {"", "<h1>", "</h1>\n"},
    {"", "<h2>", "</h2>\n"},
    {"", "<p>", "</p>\n"},
    {"ul", "<li>", "</li>\n"},
    {"table", "<tr><td class=\"touche\">", "</td></tr>\n"},
};
static_assert(static_cast<int>(Block::TableRow) == 4 && std::size(kElements) == 5, "one entry per Block");

class PageWriter {
public:
    explicit PageWriter(const std::map<std::uint32_t, const Topic*>& byHash) : byHash_(byHash) {}

    std::string Page(const Topic& topic);

private:
    void Runs(const Paragraph& paragraph);
    void Bold(bool on) {
        if (on != bold_) out_ += on ? "<b>" : "</b>";
        bold_ = on;
    }
    void Container(const char* element);

    const std::map<std::uint32_t, const Topic*>& byHash_;
    std::string out_;
    std::string open_;  // the list or table that the paragraphs before are in
    bool bold_ = false;
};

void PageWriter::Container(const char* element) {
    if (open_ == element) return;
    if (!open_.empty()) out_ += "</" + open_ + ">\n";
    open_ = element;
    if (!open_.empty()) out_ += "<" + open_ + ">\n";
}

void PageWriter::Runs(const Paragraph& paragraph) {
    std::size_t first = 0;
    if (paragraph.block == Block::ListItem)  // the bullet and its tab: the list draws its own
        while (first < paragraph.runs.size() && paragraph.runs[first++].kind != Run::Kind::Tab) {}
    for (std::size_t i = first; i < paragraph.runs.size(); ++i) {
        const Run& run = paragraph.runs[i];
        switch (run.kind) {
        case Run::Kind::Text: out_ += Escape(run.text); break;
        case Run::Kind::SetFont:
            if (paragraph.block != Block::Heading && paragraph.block != Block::Subheading) Bold(run.font == Font::Bold);
            break;
        case Run::Kind::LinkStart: {
            const auto target = byHash_.find(run.hash);
            out_ +=
                "<a href=\"" + (target == byHash_.end() ? std::string() : Escape(PageName(*target->second))) + "\">";
            break;
        }
        case Run::Kind::LinkEnd: out_ += "</a>"; break;
        case Run::Kind::Tab:
            Bold(false);
            out_ += "</td><td>";
            break;
        }
    }
    Bold(false);
}

std::string PageWriter::Page(const Topic& topic) {
    out_ =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html lang=\"fr\">\n<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n<title>" +
        Escape(topic.title) + "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"" + kStyleSheet +
        "\">\n</head>\n<body>\n";
    open_.clear();
    for (const Paragraph& paragraph : topic.paragraphs) {
        const Elements& elements = kElements[static_cast<int>(paragraph.block)];
        Container(elements.container);
        out_ += elements.open;
        Runs(paragraph);
        out_ += elements.close;
    }
    Container("");
    out_ += "</body>\n</html>\n";
    return std::move(out_);
}

std::string SitemapEntry(const std::string& name, const std::vector<const Topic*>& topics) {
    std::string entry = "<li><object type=\"text/sitemap\">\n<param name=\"Name\" value=\"" + Escape(name) + "\">\n";
    for (const Topic* topic : topics) entry += "<param name=\"Local\" value=\"" + Escape(PageName(*topic)) + "\">\n";
    return entry + "</object>\n";
}

std::string Sitemap(const std::string& entries) {
    return "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<html>\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n</head>\n<body>\n"
           "<ul>\n" +
           entries + "</ul>\n</body>\n</html>\n";
}

// The first topic, the topics it links to in their order, then the others in the source's order.
std::vector<const Topic*> ContentsOrder(const HelpModel& model, const std::map<std::uint32_t, const Topic*>& byHash) {
    std::vector<const Topic*> order{&model.topics.front()};
    auto add = [&](const Topic* topic) {
        if (std::find(order.begin(), order.end(), topic) == order.end()) order.push_back(topic);
    };
    for (const Paragraph& paragraph : model.topics.front().paragraphs)
        for (const Run& run : paragraph.runs)
            if (run.kind == Run::Kind::LinkStart) {
                const auto target = byHash.find(run.hash);
                if (target != byHash.end()) add(target->second);
            }
    for (const Topic& topic : model.topics) add(&topic);
    return order;
}

}  // namespace

std::string PageName(const Topic& topic) { return topic.context + ".htm"; }

std::vector<ProjectFile> WriteChmProject(const HelpModel& model, const std::string& chmName) {
    std::vector<ProjectFile> files;
    if (model.topics.empty()) return files;
    const std::string stem = chmName.substr(0, chmName.find_last_of('.'));
    std::map<std::uint32_t, const Topic*> byHash;
    for (const Topic& topic : model.topics) byHash[ContextHash(topic.context)] = &topic;

    PageWriter writer(byHash);
    for (const Topic& topic : model.topics) files.push_back({PageName(topic), writer.Page(topic)});
    files.push_back({kStyleSheet, kStyle});

    std::string contents;
    for (const Topic* topic : ContentsOrder(model, byHash)) contents += SitemapEntry(topic->title, {topic});
    files.push_back({stem + ".hhc", Sitemap(contents)});

    std::map<std::pair<std::string, std::string>, std::vector<const Topic*>> keywords;
    for (const Topic& topic : model.topics)
        for (const std::string& keyword : topic.keywords) {
            std::vector<const Topic*>& topics = keywords[{FoldKeyword(keyword), keyword}];
            if (std::find(topics.begin(), topics.end(), &topic) == topics.end()) topics.push_back(&topic);
        }
    std::string index;
    for (const auto& [key, topics] : keywords) index += SitemapEntry(key.second, topics);
    files.push_back({stem + ".hhk", Sitemap(index)});

    const std::string home = PageName(model.topics.front());
    std::string project = "[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=" + chmName +
                          "\r\nContents file=" + stem + ".hhc\r\nIndex file=" + stem + ".hhk\r\nDefault topic=" + home +
                          "\r\nDefault Window=main\r\nDisplay compile progress=No\r\nFull-text search=Yes\r\n"
                          "Language=0x40c French\r\nTitle=" +
                          model.title + "\r\n\r\n[WINDOWS]\r\n";
    // Three panes with the contents, index and search tabs; the buttons hide, back, forward, home, print, options.
    project += "main=\"" + model.title + "\",\"" + stem + ".hhc\",\"" + stem + ".hhk\",\"" + home + "\",\"" + home +
               "\",,,,,0x520,,0x304e,,,,,,,,0\r\n\r\n[FILES]\r\n";
    for (const Topic& topic : model.topics) project += PageName(topic) + "\r\n";
    project += std::string(kStyleSheet) + "\r\n";

    // The context numbers, as the project says them and as the program's table does:
    // chmcmd 3.2.2 stores [ALIAS] targets as build paths, which HH_HELP_CONTEXT cannot open.
    std::string aliases;
    std::string numbers;
    std::string table;
    for (const Topic& topic : model.topics)
        if (topic.mapNumber) {
            const std::string name = "IDH_" + topic.context;
            aliases += name + "=" + PageName(topic) + "\r\n";
            numbers += "#define " + name + " " + std::to_string(topic.mapNumber) + "\r\n";
            table += std::to_string(topic.mapNumber) + "=" + PageName(topic) + ";";
        }
    if (!aliases.empty()) project += "\r\n[ALIAS]\r\n" + aliases + "\r\n[MAP]\r\n" + numbers;
    files.push_back(
        {stem + "-contexts.rc", "// Made by pemz-helpc: the page of " + chmName +
                                    " for each context number, \"number=page;\", for the framework's HELP_CONTEXT.\n"
                                    "IDR_HTMLHELP_CONTEXTS RCDATA\nBEGIN\n    \"" +
                                    table + "\"\nEND\n"});
    files.push_back({stem + ".hhp", project});
    return files;
}

}  // namespace helpc
