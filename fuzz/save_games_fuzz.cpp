// The save file: any file loads into nine slots with a valid active index, and what the game would
// write back from them reads back to the same slots (a load never keeps a byte the writer cannot
// store, such as a line break inside a name).
#include <filesystem>

#include "fuzz_support.h"
#include "save/save_games.h"
#include "shell/user_files.h"

namespace {

// The save file is read from the folder for written files; the fuzzer sets its own scratch folder
// there, so that no real save file is touched and the working folder (where libFuzzer keeps its
// corpus) stays as it is.
std::string SaveFilePath() {
    static const std::string path = [] {
        SetUserFileFolder(std::filesystem::path(Fuzz::ScratchFile(nullptr, 0)).parent_path().string());
        return UserFilePath(SaveGames::Filename);
    }();
    return path;
}

void WriteSaveFile(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(SaveFilePath().c_str(), "wb");
    Fuzz::Require(file != nullptr, "save file opened");
    Fuzz::Require(std::fwrite(data, 1, size, file) == size, "save file written");
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteSaveFile(data, size);
    SaveGames::LoadAll();
    Fuzz::Require(SaveGames::Active() >= 0 && SaveGames::Active() < SaveGames::MAX_SAVEGAMES,
                  "active slot in range");
    const std::string written = SaveGames::FileContent();

    WriteSaveFile(reinterpret_cast<const uint8_t*>(written.data()), written.size());
    SaveGames::LoadAll();
    Fuzz::Require(SaveGames::FileContent() == written, "written slots read back unchanged");
    return 0;
}
