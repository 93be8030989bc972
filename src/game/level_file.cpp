#include "game/level_file.h"

#include <cstdint>
#include <limits>
#include <memory>

#include "media/media.h"

namespace {

bool IsWaveHeader(const std::string& line) {
    return !line.empty() && line[0] == '\'';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Reads the next line that is usable: false when the end of the file was reached while reading
// it (that line is never used).
bool NextLine(Media::Stream& file, std::string& line, int& lineNumber) {
    line = file.ReadLine();
    ++lineNumber;
    return !file.Eof();
}

} // namespace

int64_t ParseLevelCode(const std::string& line) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    int base = 10;
    if (i < line.size() && line[i] == '$') {
        base = 16;
        ++i;
    } else if (i < line.size() && line[i] == '%') {
        base = 2;
        ++i;
    }
    // Accumulate as a magnitude that stops growing at the int64 limit, so no input overflows.
    const uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = 0;
    for (; i < line.size(); ++i) {
        const int digit = DigitValue(line[i]);
        if (digit >= base) break;
        magnitude = magnitude > (limit - uint64_t(digit)) / uint64_t(base)
                        ? limit
                        : magnitude * uint64_t(base) + uint64_t(digit);
    }
    const int64_t value = int64_t(magnitude);
    return negative ? -value : value;
}

LevelWave ReadLevelWave(const std::string& path, int wave, int maxCode) {
    LevelWave result;
    std::unique_ptr<Media::Stream> file;
    if (Media::FileType(path) == 1) file = Media::OpenRead(path);
    if (!file) {
        result.Result = LevelWave::Status::NotFound;
        return result;
    }

    std::string line;
    int lineNumber = 0;
    for (int headers = 0; headers < wave;) {
        if (!NextLine(*file, line, lineNumber)) {
            result.Result = LevelWave::Status::Corrupt;
            return result;
        }
        if (IsWaveHeader(line)) ++headers;
    }

    while (NextLine(*file, line, lineNumber) && !IsWaveHeader(line)) {
        const int64_t code = ParseLevelCode(line);
        if (code < 0 || code > maxCode) {
            result.Result = LevelWave::Status::BadCode;
            result.BadLine = lineNumber;
            result.BadValue = code;
            result.Codes.clear();
            return result;
        }
        result.Codes.push_back(int(code));
    }
    if (result.Codes.empty()) result.Result = LevelWave::Status::Corrupt;
    return result;
}
