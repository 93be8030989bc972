#include "shell/user_files.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "media/media.h"

namespace {

std::string Folder;

} // namespace

void SetUserFileFolder(const std::string& folder) {
    Folder = folder;
}

const std::string& UserFileFolder() {
    return Folder;
}

std::string DefaultUserFileFolder() {
    // The XDG base-directory rules ignore a relative XDG_DATA_HOME.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/quillstorm";
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/.local/share/quillstorm";
    return "";
}

std::string UserFilePath(const std::string& gamePath) {
    if (Folder.empty()) return gamePath;
    size_t slash = gamePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? gamePath : gamePath.substr(slash + 1);
    return Folder + "/" + name;
}

bool PrepareUserFileFolder() {
    if (Folder.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(Folder, error);
    if (!std::filesystem::is_directory(Folder, error)) {
        Media::DebugLog("Cannot create the folder " + Folder + " for saved files");
        return false;
    }
    return true;
}
