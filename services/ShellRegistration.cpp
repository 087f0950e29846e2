// Shell registration entries, written through the settings store.
#include "services/ShellRegistration.h"

#include "res/resource.h"

namespace services {
namespace {

// Unquoted, a path with a space would let the shell run the part before the space
// (C:\Program.exe for C:\Program Files\...).
std::string OpenCommand(const std::string& exePath) {
    const bool quoted = exePath.find(' ') != std::string::npos;
    return (quoted ? "\"" + exePath + "\"" : exePath) + " %1";
}

// The entries are the same at almost every start: reading them is much cheaper
// than rewriting them (a registry write is flushed and notified to every watcher).
// True when the text is stored, as for WriteSettingText.
bool WriteIfChanged(const SettingsStore& store, const std::string& path, const std::string& text, RegistryRoot root) {
    std::string stored;
    if (store.ReadSettingText(path, stored, std::string(), root) && stored == text) return true;
    return store.WriteSettingText(path, text, root);
}

}  // namespace

std::string DirectoryOfPath(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string AppPathsSetting(const std::string& baseName) {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + baseName + ".EXE\\";
}

bool RegisterWithShell(const SettingsStore& store, const std::string& exePath, const std::string& baseName) {
    const auto classes = RegistryRoot::ClassesRoot;

    const std::string className = store.LoadResourceText(IDS_PROGRAM_KEY);
    const std::string extension = store.LoadResourceText(IDS_EXTENSION);
    if (!className.empty() && !extension.empty()) WriteIfChanged(store, "." + extension + "\\", className, classes);

    const std::string description = store.LoadResourceText(IDS_DESCRIPTION);
    if (!description.empty()) {
        WriteIfChanged(store, ".\\", description, classes);
        if (!exePath.empty()) WriteIfChanged(store, ".\\shell\\open\\command\\", OpenCommand(exePath), classes);
        // An icon entry, once written, is never replaced.
        if (!store.SettingExists(".\\DefaultIcon\\", classes) && !exePath.empty())
            store.WriteSettingText(".\\DefaultIcon\\", exePath + ",0", classes);
    }

    const std::string appPaths = AppPathsSetting(baseName);
    if (!exePath.empty()) WriteIfChanged(store, appPaths, exePath, RegistryRoot::LocalMachine);
    std::string directory = DirectoryOfPath(exePath);
    if (!directory.empty() && directory.back() == '\\') directory.pop_back();
    return WriteIfChanged(store, appPaths + "Path", directory, RegistryRoot::LocalMachine);
}

}  // namespace services
