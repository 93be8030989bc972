// Level files: any file gives, for each wave, either its codes (all enemy types, at least one) or
// a corrupt or bad-code report that names a line inside the file.
#include "fuzz_support.h"
#include "game/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Fuzz::ScratchFile(data, size);
    for (int wave = 1; wave <= 5; ++wave) {
        const LevelWave read = ReadLevelWave(path, wave, 30);
        switch (read.Result) {
        case LevelWave::Status::Ok:
            Fuzz::Require(!read.Codes.empty(), "a wave has codes");
            for (int code : read.Codes)
                Fuzz::Require(code >= 0 && code <= 30, "codes are enemy types");
            break;
        case LevelWave::Status::BadCode:
            Fuzz::Require(read.BadLine >= 1 && size_t(read.BadLine) <= size,
                          "bad code names a line of the file");
            Fuzz::Require(read.BadValue < 0 || read.BadValue > 30, "bad code is outside the types");
            break;
        case LevelWave::Status::Corrupt:
            break;
        case LevelWave::Status::NotFound:
            Fuzz::Require(false, "the scratch file exists");
            break;
        }
    }
    return 0;
}
