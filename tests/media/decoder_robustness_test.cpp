// Damaged files never crash the decoders (the sanitizer build turns any out-of-bounds access or
// undefined behaviour into a failure): every truncation point and seeded random byte damage of
// a valid PNG, JPEG, WAV and Ogg file either decodes to something consistent or gives none.
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "media/audio_codec.h"
#include "media/image_codec.h"
#include "support/media_fixture.h"
#include "support/ogg_writer.h"
#include "support/png_writer.h"
#include "support/wav_writer.h"

namespace {

std::vector<uint8_t> JpegBytes(const std::string& path) {
    Media::PixelMap map = testfiles::SolidPixmap(24, 16, 30, 60, 90, 255);
    EXPECT_TRUE(Media::SaveJpeg(map, path, 90));
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void CheckPicture(const Media::PixelMapRef& map) {
    if (!map) return;
    ASSERT_GT(map->Width, 0);
    ASSERT_GT(map->Height, 0);
    ASSERT_EQ(map->Pixels.size(), size_t(map->Width) * size_t(map->Height) * 4);
}

void CheckSample(const Media::AudioSampleRef& sample) {
    if (!sample) return;
    ASSERT_GT(sample->Rate, 0);
    ASSERT_GE(sample->Data.size(), size_t(sample->Length) * size_t(sample->BytesPerFrame()));
}

// Every prefix, then damaged copies (a few bytes set to random values).
template <typename Decode, typename Check>
void Damage(const std::vector<uint8_t>& valid, Decode decode, Check check) {
    for (size_t length = 0; length < valid.size(); length += 1 + valid.size() / 300)
        check(decode(std::vector<uint8_t>(valid.begin(), valid.begin() + ptrdiff_t(length))));
    std::mt19937 random(99);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = valid;
        const int hits = 1 + int(random() % 8);
        for (int i = 0; i < hits; ++i)
            bytes[random() % bytes.size()] = uint8_t(random());
        check(decode(bytes));
    }
}

TEST_F(MediaTest, DamagedPicturesNeverCrashTheDecoders) {
    const std::vector<uint8_t> png = testsupport::PngBytes(testfiles::SolidPixmap(24, 16, 30, 60, 90, 200));
    ASSERT_TRUE(Media::DecodePicture(png));
    Damage(png, Media::DecodePicture, CheckPicture);
    const std::vector<uint8_t> jpeg = JpegBytes(TempPath("d.jpg"));
    ASSERT_TRUE(Media::DecodePicture(jpeg));
    Damage(jpeg, Media::DecodePicture, CheckPicture);
}

TEST_F(MediaTest, DamagedSoundsNeverCrashTheDecoders) {
    const std::vector<uint8_t> wav = testsupport::WavBytes({2, 16, 22050, false}, 300);
    ASSERT_TRUE(Media::DecodeWav(wav));
    Damage(wav, Media::DecodeWav, CheckSample);
    const std::vector<uint8_t> ogg = testsupport::OggTone(1);
    ASSERT_TRUE(Media::DecodeOgg(ogg));
    Damage(ogg, Media::DecodeOgg, CheckSample);
}

} // namespace
