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
    if (std::filesystem::is_directory(Folder, error)) return true;
    // Each folder made is a new entry in its parent, which must reach the disk too, or a power
    // cut can lose the first save together with its folder. So note the nearest existing folder
    // on the way, and flush every parent from the new folder's up to it.
    const std::filesystem::path folder = std::filesystem::path(Folder).lexically_normal();
    std::filesystem::path existing = folder.parent_path();
    while (existing.has_relative_path() && !std::filesystem::exists(existing, error))
        existing = existing.parent_path();
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        Media::DebugLog("Cannot create the folder " + Folder + " for saved files");
        return false;
    }
    for (std::filesystem::path made = folder; made != existing && made.has_relative_path();
         made = made.parent_path())
        Media::FlushFolder(made.parent_path().empty() ? "." : made.parent_path().string());
    return true;
}
