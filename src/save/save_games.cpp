#include "save/save_games.h"

#include "media/media.h"
#include "shell/helpers.h"
#include "shell/user_files.h"

namespace {

bool ValidIndex(int index) {
    return index >= 0 && index < SaveGames::MAX_SAVEGAMES;
}

void LogSkipped(const std::string& reason) {
    Media::DebugLog(std::string("SaveGames.SaveAll(): Could not write ") + SaveGames::Filename + " (" +
                    reason + "); the old file is kept.");
}

} // namespace

void SaveGames::LoadAll() {
    for (int i = 0; i < MAX_SAVEGAMES; ++i)
        Reset(i);
    Unreadable_ = false;
    const std::string path = UserFilePath(Filename);
    const int type = Media::FileType(path);
    // A folder in the file's place is no file, and SaveAll refuses to write over it.
    if (type == 2 || Media::FileMissing(path)) return;
    std::unique_ptr<Media::Stream> file = type == 1 ? Media::OpenRead(path) : nullptr;
    const int activeBefore = Active_;
    if (file) {
        int active = int(ParseLenientInteger(file->ReadLine()));
        Active_ = ValidIndex(active) ? active : 0;
        for (int i = 0; i < MAX_SAVEGAMES && !file->Eof(); ++i) {
            Names_[i] = file->ReadLine();
            Levels_[i] = int(ParseLenientInteger(file->ReadLine()));
            Scores_[i] = ParseLenientInteger(file->ReadLine());
        }
        if (!file->Failed()) return;
    }
    // Half a file is worse than none: show the defaults and keep the player's file untouched.
    for (int i = 0; i < MAX_SAVEGAMES; ++i)
        Reset(i);
    Active_ = activeBefore;
    Unreadable_ = true;
    Media::DebugLog(std::string("SaveGames.LoadAll(): Could not read ") + Filename +
                    "; the defaults are shown and the file is not written.");
}

std::string SaveGames::FileContent() {
    std::string text = std::to_string(Active_) + "\r\n";
    for (int i = 0; i < MAX_SAVEGAMES; ++i) {
        text += Names_[i] + "\r\n";
        text += std::to_string(Levels_[i]) + "\r\n";
        text += std::to_string(Scores_[i]) + "\r\n";
    }
    return text;
}

bool SaveGames::SaveAll() {
    const std::string path = Media::NativePath(UserFilePath(Filename));
    if (Unreadable_) {
        LogSkipped("the file could not be read");
        return false;
    }
    const int type = Media::FileType(path);
    if (type == 2) {
        LogSkipped("the path is a folder");
        return false;
    }
    // Root may write anywhere, but a save file made read-only says it is not to be changed.
    if (type == 1 && Media::FileWritable(path) == 0) {
        LogSkipped("the file is read-only");
        return false;
    }
    // An installed game's folder for written files may not exist yet; failing logs its own line.
    if (!PrepareUserFileFolder()) return false;
    std::string reason;
    if (!Media::ReplaceFile(path, FileContent(), reason)) {
        LogSkipped(reason);
        return false;
    }
    return true;
}

void SaveGames::SetActive(int index) {
    if (ValidIndex(index)) Active_ = index;
}

void SaveGames::Reset(int index) {
    if (!ValidIndex(index)) return;
    Names_[index] = "Player " + std::to_string(index + 1);
    Levels_[index] = 1;
    Scores_[index] = 0;
}

void SaveGames::SetName(const std::string& name) {
    Names_[Active_] = name;
}
void SaveGames::SetLevel(int level) {
    Levels_[Active_] = level;
}
void SaveGames::SetScore(int64_t score) {
    Scores_[Active_] = score;
}
void SaveGames::AdjustScore(int64_t delta) {
    // Wrapping addition: an absurd score stays a number instead of overflowing.
    Scores_[Active_] = int64_t(uint64_t(Scores_[Active_]) + uint64_t(delta));
}
const std::string& SaveGames::Name() {
    return Names_[Active_];
}
int SaveGames::Level() {
    return Levels_[Active_];
}
int64_t SaveGames::Score() {
    return Scores_[Active_];
}

const std::string& SaveGames::SlotName(int index) {
    return Names_[ValidIndex(index) ? index : 0];
}
int SaveGames::SlotLevel(int index) {
    return Levels_[ValidIndex(index) ? index : 0];
}
int64_t SaveGames::SlotScore(int index) {
    return Scores_[ValidIndex(index) ? index : 0];
}
