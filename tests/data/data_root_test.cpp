// The generated data root: every file of the asset manifest is present and decodes with the game's
// own loaders, pictures are cut into whole cells, hittable pictures have solid texels in every
// frame, fonts have their glyphs, sounds and music decode, music loops without a jump at a
// steady loudness, and every level file reads into five waves of valid codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/level_file.h"
#include "media/media.h"
// The picture manifest the asset generator writes by.
#include "assetgen/manifest.h"

namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------------------------
// Names (the pictures come from the generator's manifest)
// ---------------------------------------------------------------------------------------------

std::string N(const std::string& prefix, int n, const std::string& suffix) {
    return prefix + std::to_string(n) + suffix;
}

std::vector<std::string> SoundNames() {
    std::vector<std::string> names = {"loading-flyin", "loading-flyout", "gameover",
                                      "enemy_divide",  "boss1_cry",      "boss2_cry",
                                      "bossexplode",   "shipexplode",    "shieldpop"};
    for (int i = 0; i <= 16; ++i)
        names.push_back(N("bullet-", i, ""));
    for (const char* e : {"explosion", "slime_green", "eggsplosion", "shockwave", "spark"})
        names.push_back(std::string("effect-") + e);
    for (int i = 1; i <= 12; ++i)
        names.push_back(N("powerup", i, ""));
    for (const char* s : {"12a", "12b", "12c", "12d"})
        names.push_back(std::string("powerup") + s);
    names.push_back("title");
    return names;
}

std::vector<std::string> MusicNames() {
    std::vector<std::string> names;
    for (int i = 1; i <= 11; ++i)
        names.push_back(N("level", i, ""));
    names.push_back("boss");
    return names;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// ---------------------------------------------------------------------------------------------
// Fixture
// ---------------------------------------------------------------------------------------------

class DataRootTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::is_directory(QS_DATA_ROOT))
            << "the data root " << QS_DATA_ROOT << " has not been generated: build the 'gamedata' target";
        Media::Options options;
        options.Headless = true;
        options.DataRoot = QS_DATA_ROOT;
        std::string error;
        ASSERT_TRUE(Media::Init(options, error)) << error;
    }
    void TearDown() override { Media::Shutdown(); }
};

bool FrameHasSolidTexel(const Media::Image& image, int frame) {
    const auto& mask = image.SolidMask(frame);
    return std::any_of(mask.begin(), mask.end(), [](uint64_t w) { return w != 0; });
}

bool FrameHasVisibleTexel(const Media::Image& image, int frame) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Alpha(frame, x, y) != 0) return true;
    return false;
}

// Interleaved 16-bit samples of a decoded sound as floats in [-1, 1].
std::vector<float> Samples(const Media::AudioSample& s) {
    std::vector<float> out;
    const bool eightBit = s.Format == Media::SF_MONO8 || s.Format == Media::SF_STEREO8;
    const bool bigEndian = s.Format == Media::SF_MONO16BE || s.Format == Media::SF_STEREO16BE;
    const size_t values = size_t(s.Length) * size_t(s.Channels());
    out.reserve(values);
    for (size_t i = 0; i < values; ++i) {
        if (eightBit) {
            out.push_back((float(s.Data[i]) - 128.0f) / 128.0f);
        } else {
            const uint8_t lo = s.Data[2 * i + (bigEndian ? 1 : 0)], hi = s.Data[2 * i + (bigEndian ? 0 : 1)];
            out.push_back(float(int16_t(uint16_t(lo | (hi << 8)))) / 32768.0f);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------------------------

TEST_F(DataRootTest, EveryPictureDecodesIntoWholeCellsAndHittablePicturesAreSolidInEveryFrame) {
    for (const assetgen::PictureEntry& e : assetgen::Pictures()) {
        SCOPED_TRACE(e.path);
        if (!e.written) {
            EXPECT_TRUE(e.optional) << "left out, but the game cannot do without it";
            EXPECT_FALSE(fs::exists(e.path)) << "written, but the manifest says it is left out";
            continue;
        }
        ASSERT_TRUE(fs::exists(e.path)) << "missing";
        Media::PixelMapRef sheet = Media::LoadPixmap(e.path);
        ASSERT_TRUE(sheet) << "does not decode";
        EXPECT_GT(sheet->Width, 0);
        EXPECT_GT(sheet->Height, 0);
        if (!e.Animated()) {
            Media::ImageRef image = Media::LoadImage(e.path);
            ASSERT_TRUE(image) << "the image loader rejects it";
            if (e.hittable) {
                EXPECT_TRUE(FrameHasSolidTexel(*image, 0)) << "no solid texel to hit";
            }
            continue;
        }
        EXPECT_EQ(sheet->Width % e.cellW, 0)
            << "width " << sheet->Width << " is not whole cells of " << e.cellW;
        EXPECT_EQ(sheet->Height % e.cellH, 0)
            << "height " << sheet->Height << " is not whole cells of " << e.cellH;
        EXPECT_GE((sheet->Width / e.cellW) * (sheet->Height / e.cellH), e.count) << "too few cells";
        Media::ImageRef image = Media::LoadAnimImage(e.path, e.cellW, e.cellH, 0, e.count);
        ASSERT_TRUE(image) << "the animation loader rejects it";
        EXPECT_EQ(image->Frames(), e.count);
        if (!e.hittable) continue;
        for (int f = 0; f < e.count; ++f) {
            EXPECT_TRUE(FrameHasSolidTexel(*image, f)) << "frame " << f << " has no solid texel";
        }
    }
}

// A picture outside the manifest would go unchecked by the generator and by this test.
TEST_F(DataRootTest, EveryPictureInTheDataRootIsInTheManifest) {
    size_t pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator("gfx")) {
        if (!entry.is_regular_file()) continue;
        const std::string path = entry.path().generic_string();
        EXPECT_NO_THROW(assetgen::FindPicture(path)) << path;
        ++pictures;
    }
    EXPECT_GT(pictures, 0u);
}

TEST_F(DataRootTest, TheNineMenuPiecesShareOneSize) {
    Media::PixelMapRef first = Media::LoadPixmap("gfx/menus/menupiece1.png");
    ASSERT_TRUE(first);
    for (int i = 2; i <= 9; ++i) {
        Media::PixelMapRef piece = Media::LoadPixmap(N("gfx/menus/menupiece", i, ".png"));
        ASSERT_TRUE(piece) << i;
        EXPECT_EQ(piece->Width, first->Width) << "menupiece" << i;
        EXPECT_EQ(piece->Height, first->Height) << "menupiece" << i;
    }
}

TEST_F(DataRootTest, EachFontHas93GlyphsAndAnEmptySpace) {
    for (const char* path : {"gfx/font1.png", "gfx/font2.png", "gfx/font3.png"}) {
        SCOPED_TRACE(path);
        const assetgen::PictureEntry& font = assetgen::FindPicture(path);
        ASSERT_EQ(font.count, 94);
        Media::ImageRef image = Media::LoadAnimImage(path, font.cellW, font.cellH, 0, font.count);
        ASSERT_TRUE(image);
        for (int f = 0; f < 93; ++f)
            EXPECT_TRUE(FrameHasVisibleTexel(*image, f)) << "glyph " << f << " is empty";
        EXPECT_FALSE(FrameHasVisibleTexel(*image, 93)) << "the space cell is not fully transparent";
    }
}

TEST_F(DataRootTest, TheFlashPixelIsOneOpaqueWhitePixel) {
    Media::PixelMapRef pixel = Media::LoadPixmap("gfx/menus/pixel.png");
    ASSERT_TRUE(pixel);
    ASSERT_EQ(pixel->Width, 1);
    ASSERT_EQ(pixel->Height, 1);
    Media::ImageRef image = Media::LoadImage("gfx/menus/pixel.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ReadPixel(0, 0, 0), 0xFFFFFFFFu);
}

// ---------------------------------------------------------------------------------------------
// Sounds and music
// ---------------------------------------------------------------------------------------------

TEST_F(DataRootTest, EverySoundEffectDecodesAndIsAudible) {
    for (const std::string& name : SoundNames()) {
        SCOPED_TRACE(name);
        // The game tries .wav first, then .ogg.
        const std::string wav = "sfx/" + name + ".wav", ogg = "sfx/" + name + ".ogg";
        const std::string path = fs::exists(wav) ? wav : ogg;
        ASSERT_TRUE(fs::exists(path)) << "missing";
        Media::AudioSampleRef sample = Media::LoadAudioSample(path);
        ASSERT_TRUE(sample) << "does not decode";
        EXPECT_GT(sample->Length, sample->Rate / 50) << "shorter than 20 ms";
        EXPECT_LT(sample->DurationMs(), 5000.0);
        const std::vector<float> s = Samples(*sample);
        float peak = 0;
        for (float v : s)
            peak = std::max(peak, std::fabs(v));
        EXPECT_GT(peak, 0.1f) << "nearly silent";
        EXPECT_TRUE(Media::LoadSound(sample, 0)) << "the sound loader rejects it";
    }
}

struct MusicMeasure {
    double seconds = 0, peakDb = 0, rmsDb = 0;
    float seamJump = 0, largestNearbyStep = 0;
};

MusicMeasure Measure(const Media::AudioSample& sample) {
    const std::vector<float> s = Samples(sample);
    const int ch = sample.Channels();
    const size_t frames = size_t(sample.Length);
    MusicMeasure m;
    m.seconds = double(frames) / sample.Rate;
    double energy = 0;
    float peak = 0;
    for (float v : s) {
        peak = std::max(peak, std::fabs(v));
        energy += double(v) * v;
    }
    m.peakDb = 20 * std::log10(std::max(peak, 1e-9f));
    m.rmsDb = 10 * std::log10(std::max(energy / double(s.size()), 1e-18));
    // The step from the last frame to the first, against the steps within 20 ms on either side
    // of the seam: a click is a step far larger than the music makes around it.
    const size_t window = size_t(sample.Rate / 50);
    for (int c = 0; c < ch; ++c) {
        auto at = [&](size_t frame) { return s[frame * size_t(ch) + size_t(c)]; };
        m.seamJump = std::max(m.seamJump, std::fabs(at(0) - at(frames - 1)));
        for (size_t i = 1; i < window; ++i) {
            m.largestNearbyStep = std::max(m.largestNearbyStep, std::fabs(at(i) - at(i - 1)));
            m.largestNearbyStep =
                std::max(m.largestNearbyStep, std::fabs(at(frames - i) - at(frames - i - 1)));
        }
    }
    return m;
}

TEST_F(DataRootTest, EveryMusicPieceDecodesLoopsWithoutAJumpAndStaysBelowMinusOneDbfs) {
    std::vector<double> loudness;
    for (const std::string& name : MusicNames()) {
        SCOPED_TRACE(name);
        // A stray .wav would be played instead of the Ogg piece.
        EXPECT_FALSE(fs::exists("sfx/music/" + name + ".wav"));
        const std::string path = "sfx/music/" + name + ".ogg";
        ASSERT_TRUE(fs::exists(path)) << "missing";
        Media::AudioSampleRef sample = Media::LoadAudioSample(path);
        ASSERT_TRUE(sample) << "does not decode";
        ASSERT_GT(sample->Length, sample->Rate);
        EXPECT_TRUE(Media::LoadSound(sample, Media::SOUND_LOOP)) << "the sound loader rejects it";
        const MusicMeasure m = Measure(*sample);
        EXPECT_GE(m.seconds, 60.0);
        EXPECT_LE(m.seconds, 120.0);
        EXPECT_LE(m.peakDb, -1.0);
        EXPECT_LE(m.seamJump, m.largestNearbyStep) << "the loop seam clicks";
        loudness.push_back(m.rmsDb);
    }
    ASSERT_EQ(loudness.size(), MusicNames().size());
    const auto [quietest, loudest] = std::minmax_element(loudness.begin(), loudness.end());
    EXPECT_LE(*loudest - *quietest, 3.0) << "the pieces differ too much in loudness";
    EXPECT_GT(*quietest, -30.0) << "music this quiet is hard to hear under the effects";
}

// ---------------------------------------------------------------------------------------------
// Level files
// ---------------------------------------------------------------------------------------------

TEST_F(DataRootTest, EveryLevelFileReadsIntoFiveWavesOfValidCodes) {
    for (int level = 1; level <= 11; ++level) {
        const std::string path = N("data/level", level, ".dat");
        SCOPED_TRACE(path);
        ASSERT_TRUE(fs::exists(path)) << "missing";
        const std::string bytes = ReadBytes(path);
        EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "starts with a byte-order mark";
        // The last line is never read as a code, so it must be the closing apostrophe line.
        std::string body = bytes;
        while (!body.empty() && (body.back() == '\n' || body.back() == '\r'))
            body.pop_back();
        const size_t lastLine = body.rfind('\n');
        EXPECT_EQ(body.substr(lastLine == std::string::npos ? 0 : lastLine + 1, 1), "'")
            << "no closing apostrophe line";
        // The game's own reader takes five waves from it.
        for (int wave = 1; wave <= 5; ++wave) {
            const LevelWave read = ReadLevelWave(path, wave, 30);
            ASSERT_EQ(read.Result, LevelWave::Status::Ok) << "wave " << wave;
            EXPECT_FALSE(read.Codes.empty()) << "wave " << wave;
            for (int code : read.Codes) {
                // Bosses (29, 30) are added by the game itself; anything else is no enemy at all.
                EXPECT_GE(code, 0) << "wave " << wave;
                EXPECT_LE(code, 28) << "wave " << wave;
            }
        }
        // Every line inside a wave is a real number: a blank line would silently add spiders.
        size_t start = bytes.find('\'');
        ASSERT_NE(start, std::string::npos);
        for (size_t pos = start; pos < bytes.size();) {
            size_t end = bytes.find('\n', pos);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] != '\'') {
                EXPECT_TRUE(!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])))
                    << "line '" << line << "' is not a plain code";
            }
            pos = end + 1;
        }
    }
}

} // namespace
