#pragma once
// Where the files the game writes (the save file, screenshots) go. Run from a build, the data
// root is the working folder and a file goes where the game names it ("data\savegames.dat",
// "Screenshot-001.jpg"). An installed data root is read-only, so the program then chooses one
// folder of the player's (SetUserFileFolder) and every written file goes there under its own
// file name.
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
