#pragma once
// Temporary data roots for tests: small files made on the spot, so that no test depends on the
// generated game data, and a fixture that starts the headless media layer in such a root.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/media.h"

namespace testfiles {

// A fresh empty folder under the system's temporary folder.
std::string MakeTempDir();
// A fresh data root of the game's own, for runs that write into it (the save file,
// screenshots): it links to the generated gfx/ and sfx/ of QS_DATA_ROOT and copies its eleven
// level files.
std::string MakeGameRoot();
// Creates the parent folders of `path` (a '/' path) as needed.
void MakeParents(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string ReadText(const std::string& path);

// An RGBA pixel map filled with one colour.
Media::PixelMap SolidPixmap(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// Writes an RGBA pixel map as PNG (with alpha).
void WritePng(const std::string& path, const Media::PixelMap& map);
// Mono 16-bit sounds of `frames` frames at `rate` Hz: WAV, and a tone as Ogg Vorbis.
void WriteWav(const std::string& path, int rate, int frames);
void WriteOgg(const std::string& path, int rate, int frames);

// Starts the headless media layer with `root` as the working folder and the debug log also
// written to root/log.txt.
void StartHeadless(const std::string& root);
// The debug log written so far.
std::string LogText(const std::string& root);

// A test with its own headless data root that holds the game's pointer picture (white, 32 × 32,
// so 16 × 16 units on screen).
class HeadlessRootTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    bool Logged(const std::string& line) const;
    std::string root;
};

} // namespace testfiles
