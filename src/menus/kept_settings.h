#pragma once
// The options kept between runs in settings.ini (shell/user_files.h says where): one "key=value"
// a line, keys sound_volume, music_volume, display and rumble. Read once at start, written
// crash-safe when the options screen is left. A missing file, or a line that is missing, damaged
// or unknown, gives that setting's default and one debug-log line; nothing here ends the game.
#include <string>

struct KeptSettings {
    float SoundVolume = 1.0f; // one of the options' effect volumes: 1, 0.5, 0.25, 0
    float MusicVolume = 0.5f; // one of the music volumes: 0.75, 0.5, 0.25, 0
    int Windowed = 0;         // display: 1 windowed, 0 full screen
    int Rumble = 1;           // 1 the pad rumbles when the ship is hit or explodes
};

// The settings as read at start and changed on the options screen since. The display mode is the
// one chosen there (or read), not a window forced for one run by --windowed.
inline KeptSettings Kept;

// Reads settings from the text of a settings file; `name` labels the log lines.
KeptSettings ParseSettings(const std::string& text, const std::string& name);
std::string FormatSettings(const KeptSettings& settings);
// Reads SettingsFilePath() into Kept and applies the volumes and the rumble option (the caller
// opens the display in Kept's mode).
void LoadKeptSettings();
// Writes Kept to SettingsFilePath() through Media::ReplaceFile; a write that fails is logged and
// skipped.
void SaveKeptSettings();
