#pragma once
// Where the files the game writes (the save file, screenshots, the settings) go. Run from a build,
// the data root is the working folder and a file goes where the game names it
// ("data\savegames.dat", "Screenshot-001.jpg", "data\settings.ini", beside the save file). An
// installed data root is read-only, so the program then chooses folders of the player's
// (SetUserFileFolder for saved files, SetSettingsFolder for the settings) and every written file
// goes there under its own file name.
#include <string>

// The folder for written files; "" (the default) means the game's own paths in the working folder.
void SetUserFileFolder(const std::string& folder);
const std::string& UserFileFolder();
// "$XDG_DATA_HOME/quillstorm" when XDG_DATA_HOME is an absolute path, else
// "$HOME/.local/share/quillstorm"; "" when neither variable helps.
std::string DefaultUserFileFolder();
// The path to read and write for the game path `gamePath` (backslashes allowed).
std::string UserFilePath(const std::string& gamePath);
// Creates the user file folder if one is set and missing; call before writing. False (with a
// debug-log line) when it cannot be made.
bool PrepareUserFileFolder();

// The folder for settings.ini; "" (the default) means "data\settings.ini" in the working folder.
void SetSettingsFolder(const std::string& folder);
// "$XDG_CONFIG_HOME/quillstorm" when XDG_CONFIG_HOME is an absolute path, else
// "$HOME/.config/quillstorm"; "" when neither variable helps.
std::string DefaultSettingsFolder();
// The path to read and write the settings at (backslashes allowed).
std::string SettingsFilePath();
// Creates the settings folder if one is set and missing; call before writing. False (with a
// debug-log line) when it cannot be made.
bool PrepareSettingsFolder();
