#pragma once
// SaveGames: the nine player slots (name, level, score) and the active slot, kept in memory for
// the whole run and stored in the text file "data\savegames.dat" under the working folder.
//
// File format, byte by byte. Text of 8-bit characters; every line, the last one included, ends
// with the two bytes 13 10 (CR LF). A complete file has 28 lines:
//
//   line 1          the active slot index, decimal ("0" .. "8")
//   line 2 + 3·i    the name of slot i, one byte per character, may be empty
//   line 3 + 3·i    the level of slot i, decimal
//   line 4 + 3·i    the score of slot i, decimal, "-" before a negative value
//                   for i = 0 … 8
//
// Example, a fresh file: "0\r\nPlayer 1\r\n1\r\n0\r\nPlayer 2\r\n1\r\n0\r\n" … "Player 9\r\n1\r\n0\r\n".
//
// Reading is lenient, because the file is outside data: a line ends at byte 10, byte 0 or the
// end of the file, and bytes 13 are dropped. A number line is read by ParseLenientInteger: leading
// blanks, an optional "+" or "-", then decimal digits up to the first non-digit ("00042abc" is
// 42); "$" after the sign reads hexadecimal digits and "%" binary digits; no digits read as 0. An active
// index of 9 or more, or below 0, becomes 0. A file that ends early leaves the remaining slots at their
// defaults; a slot cut in the middle gets an empty name or 0 for its missing lines. Lines after
// the 28th are ignored.
//
// A file that is there but cannot be opened or read through (no read permission, a read error)
// is not taken for a missing one: the defaults are shown, but the player's file is kept, so every
// write is skipped (one debug-log line each) until a later LoadAll reads it whole.
//
// Writing is crash-safe: the new content goes to a temporary file of its own in the same folder,
// is flushed to disk, renamed over the old file (keeping its permission bits), and the folder is
// flushed, so at any instant the file is either the old one or the new one, even with two copies
// of the game writing at once. A write that cannot be done (no permission, the path is a folder,
// the disk is full) is skipped with one debug-log line and leaves the old file as it was; the game
// goes on.
#include <cstdint>
#include <string>

class SaveGames {
public:
    static constexpr int MAX_SAVEGAMES = 9;
    // Relative to the working folder (the data root); an installed game keeps it in the player's
    // folder for written files instead (shell/user_files.h).
    static constexpr const char* Filename = "data\\savegames.dat";

    // Resets every slot, then reads the file when it is a regular file (a missing file leaves the
    // defaults and the active index as it was, 0 at start). A file that exists but cannot be
    // opened or read through also leaves the defaults and the active index, and makes SaveAll
    // skip every write until a LoadAll succeeds (Unreadable).
    static void LoadAll();
    // True when the last LoadAll found a save file it could not read.
    static bool Unreadable() { return Unreadable_; }
    // Writes all slots (see the format above). Returns true when the new file is in place, false
    // when the write was skipped (logged once; the old file is unchanged).
    static bool SaveAll();

    // index 0..MAX_SAVEGAMES − 1; other values are ignored, so the accessors stay in range.
    static void SetActive(int index);
    // Slot `index` becomes "Player " + (index + 1), level 1, score 0. Ignores an index out of range.
    static void Reset(int index);

    // The active slot's fields.
    static void SetName(const std::string& name);
    static void SetLevel(int level);
    static void SetScore(int64_t score);
    // Adds delta (may be negative; no limit) to the active slot's score. Called by the scoreboard
    // for every point gain.
    static void AdjustScore(int64_t delta);
    static const std::string& Name();
    static int Level();
    static int64_t Score();
    static int Active() { return Active_; }

    // Any slot's fields, index 0..MAX_SAVEGAMES − 1 (for the player list).
    static const std::string& SlotName(int index);
    static int SlotLevel(int index);
    static int64_t SlotScore(int index);

    // The bytes SaveAll writes for the current slots.
    static std::string FileContent();

private:
    static inline std::string Names_[MAX_SAVEGAMES] = {"Player 1", "Player 2", "Player 3",
                                                       "Player 4", "Player 5", "Player 6",
                                                       "Player 7", "Player 8", "Player 9"};
    static inline int Levels_[MAX_SAVEGAMES] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    static inline int64_t Scores_[MAX_SAVEGAMES] = {};
    static inline int Active_ = 0;
    static inline bool Unreadable_ = false;
};
