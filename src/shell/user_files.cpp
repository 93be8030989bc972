#include "shell/user_files.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "media/media.h"

namespace {

std::string Folder;
std::string SettingsFolder;

// "$VARIABLE/quillstorm" when the variable holds an absolute path (the XDG base-directory rules
// ignore a relative one), else "$HOME/<fallback>/quillstorm"; "" when neither helps.
std::string XdgFolder(const char* variable, const char* fallback) {
    const char* xdg = std::getenv(variable);
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/quillstorm";
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/" + fallback + "/quillstorm";
    return "";
}

bool PrepareFolder(const std::string& folder, const char* what) {
    if (folder.empty()) return true;
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return true;
    // Each folder made is a new entry in its parent, which must reach the disk too, or a power
    // cut can lose the first save together with its folder. So note the nearest existing folder
    // on the way, and flush every parent from the new folder's up to it.
    const std::filesystem::path path = std::filesystem::path(folder).lexically_normal();
    std::filesystem::path existing = path.parent_path();
    while (existing.has_relative_path() && !std::filesystem::exists(existing, error))
        existing = existing.parent_path();
    std::filesystem::create_directories(path, error);
    if (!std::filesystem::is_directory(path, error)) {
        Media::DebugLog("Cannot create the folder " + folder + " for " + what);
        return false;
    }
    for (std::filesystem::path made = path; made != existing && made.has_relative_path();
         made = made.parent_path())
        Media::FlushFolder(made.parent_path().empty() ? "." : made.parent_path().string());
    return true;
}

} // namespace

void SetUserFileFolder(const std::string& folder) {
    Folder = folder;
}

const std::string& UserFileFolder() {
    return Folder;
}

std::string DefaultUserFileFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

std::string UserFilePath(const std::string& gamePath) {
    if (Folder.empty()) return gamePath;
    size_t slash = gamePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? gamePath : gamePath.substr(slash + 1);
    return Folder + "/" + name;
}

bool PrepareUserFileFolder() {
    return PrepareFolder(Folder, "saved files");
}

void SetSettingsFolder(const std::string& folder) {
    SettingsFolder = folder;
}

std::string DefaultSettingsFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string SettingsFilePath() {
    return SettingsFolder.empty() ? "data\\settings.ini" : SettingsFolder + "/settings.ini";
}

bool PrepareSettingsFolder() {
    return PrepareFolder(SettingsFolder, "the settings");
}
