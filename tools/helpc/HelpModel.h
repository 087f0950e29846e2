// What the help compiler makes of a source before writing it out: topics made
// of paragraphs made of runs, every text already in Windows-1252.
#ifndef PEMZ_TOOLS_HELPC_HELPMODEL_H
#define PEMZ_TOOLS_HELPC_HELPMODEL_H

#include <cstdint>
#include <string>
#include <vector>

namespace helpc {

enum class Font : std::uint16_t { Body = 0, Bold = 1, Heading = 2 };

struct Run {
    enum class Kind { Text, SetFont, LinkStart, LinkEnd, Tab };
    Kind kind = Kind::Text;
    std::string text;        // Text
    Font font = Font::Body;  // SetFont
    std::uint32_t hash = 0;  // LinkStart: the target context's hash
};

// What a paragraph is in the source; the WinHelp layout shows it through fonts
// and indents, HTML through its elements.
enum class Block { Heading, Subheading, Text, ListItem, TableRow };

// Spacing and indents in the viewer's paragraph units. A list item's runs begin
// with the bullet and a tab; a table row's cells are separated by a tab.
struct Paragraph {
    Block block = Block::Text;
    std::vector<Run> runs;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int leftIndent = 0;
    int firstLineIndent = 0;
    std::vector<int> tabStops;
};

struct Topic {
    std::string context;
    std::uint32_t mapNumber = 0;  // the context number a program opens it by; 0: none
    std::string title;
    std::vector<std::string> keywords;
    std::vector<Paragraph> paragraphs;
};

struct HelpModel {
    std::string title;
    std::string helpOnFile;     // the file the viewer opens for help on using help; empty: its own
    std::vector<Topic> topics;  // the first one is the contents topic
};

// Index order: case and accents folded, as a reader of an index expects.
std::string FoldKeyword(const std::string& keyword);

}  // namespace helpc

#endif
