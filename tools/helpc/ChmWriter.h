// Lays a help model out as an HTML Help project for a CHM compiler (chmcmd):
// one HTML 4 page per topic, a stylesheet, the contents (.hhc), the index (.hhk)
// and the project (.hhp). Texts stay in Windows-1252.
#ifndef PEMZ_TOOLS_HELPC_CHMWRITER_H
#define PEMZ_TOOLS_HELPC_CHMWRITER_H

#include <string>
#include <vector>

#include "HelpModel.h"

namespace helpc {

struct ProjectFile {
    std::string name;  // a plain file name: the project is one folder
    std::string text;
};

// The page a topic becomes: its context name with ".htm".
std::string PageName(const Topic& topic);

// The project's files; its .hhp (the last file) compiles them into `chmName`
// ("PemzCalc.chm"), whose stem also names the contents and index files. The
// contents follow the first topic's links, then the topics it does not link to.
// <stem>-contexts.rc, for the program's resources, gives the page of each
// context number (IDR_HTMLHELP_CONTEXTS).
std::vector<ProjectFile> WriteChmProject(const HelpModel& model, const std::string& chmName);

}  // namespace helpc

#endif
