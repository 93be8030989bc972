#pragma once
// Reading one wave's enemy list from a level file ("data\level<N>.dat", plain text).
//
// Format: lines are read one at a time; a line whose first character is an apostrophe opens a
// wave (the rest of it is free text). The first apostrophe line opens wave 1, the second wave 2,
// and so on; lines before the first are ignored. Every line after a wave's apostrophe line, up to
// the next one, is one enemy type code (read by ParseLenientInteger). The end of the file is tested after
// each line is read, and the line during whose reading the end was reached is not used: the last
// line of a file is never a code, so a file ends with an apostrophe line after its last wave.
#include <cstdint>
#include <string>
#include <vector>

struct LevelWave {
    enum class Status {
        Ok,
        NotFound, // the path is not an existing file
        Corrupt,  // too few waves, or a wave without codes
        BadCode,  // a code outside 0..MaxCode
    };
    Status Result = Status::Ok;
    std::vector<int> Codes; // the wave's codes in file order (Ok only)
    int BadLine = 0;        // BadCode: 1-based line number and the value read there
    int64_t BadValue = 0;
};

// Reads wave `wave` (1-based) of the level file at `path`, accepting codes 0..maxCode.
LevelWave ReadLevelWave(const std::string& path, int wave, int maxCode);
