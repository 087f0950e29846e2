// The running program's file: its path as the ANSI functions take it, and names made from it.
#ifndef PEMZ_FRAMEWORK_MODULEPATH_H
#define PEMZ_FRAMEWORK_MODULEPATH_H

#include <string>

namespace fw {

// The running executable's full path, whatever its length, for the ANSI functions: as
// it is when every character has an exact ANSI form, else its short (8.3) form when
// that has one; "" when neither does (a best fit names another folder: "Łukasz" gives
// "Lukasz") or the path cannot be obtained.
std::string ModulePath();

// The executable's file name without folder and extension ("PemzCalc").
std::string ExecutableBaseName();

// ModulePath() with its extension replaced by `extension` (".HLP"), or added when it has none.
std::string ModulePathWithExtension(const std::string& extension);

}  // namespace fw

#endif
