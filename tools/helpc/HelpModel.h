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

// Spacing and indents in the viewer's paragraph units.
struct Paragraph {
    std::vector<Run> runs;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int leftIndent = 0;
    int firstLineIndent = 0;
    std::vector<int> tabStops;
};

struct Topic {
    std::string context;
    std::string title;
    std::vector<std::string> keywords;
    std::vector<Paragraph> paragraphs;
};

struct HelpModel {
    std::string title;
    std::string helpOnFile;     // the file the viewer opens for help on using help; empty: its own
    std::vector<Topic> topics;  // the first one is the contents topic
};

}  // namespace helpc

#endif
