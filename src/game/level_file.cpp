#include "game/level_file.h"

#include <cstdint>
#include <memory>

#include "media/media.h"
#include "shell/helpers.h"

namespace {

bool IsWaveHeader(const std::string& line) {
    return !line.empty() && line[0] == '\'';
}

// Reads the next line that is usable: false when the end of the file was reached while reading
// it (that line is never used).
bool NextLine(Media::Stream& file, std::string& line, int& lineNumber) {
    line = file.ReadLine();
    ++lineNumber;
    return !file.Eof();
}

} // namespace

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
        const int64_t code = ParseLenientInteger(line);
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
