// Pictures whose data cannot hold the size their header states (found by fuzzing the decoders):
// they are refused, quickly and without allocating the stated picture, instead of decoding to
// made-up pixels.
#include <cstring>
#include <fstream>
#include <iterator>

#include "media/image_codec.h"
#include "support/media_fixture.h"
#include "support/png_writer.h"

namespace {

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

void PutBig(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[at + size_t(i)] = uint8_t(value >> (8 * (width - 1 - i)));
}

// The header (IHDR, the first chunk) states width × height; its checksum is made right again.
std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height) {
    std::vector<uint8_t> bytes = testsupport::PngBytes(testfiles::SolidPixmap(8, 6, 10, 20, 30, 255));
    PutBig(bytes, 16, width, 4);
    PutBig(bytes, 20, height, 4);
    PutBig(bytes, 29, Crc32(&bytes[12], 17), 4);
    return bytes;
}

size_t FindMarker(const std::vector<uint8_t>& bytes, uint8_t marker) {
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == marker) return i;
    ADD_FAILURE() << "no marker " << int(marker);
    return 0;
}

enum class JpegDamage { None, CutInScan, ClaimsHugeSize, ClaimsHugeProgressive };

std::vector<uint8_t> DamagedJpeg(const std::string& path, JpegDamage damage) {
    EXPECT_TRUE(Media::SaveJpeg(testfiles::SolidPixmap(32, 24, 200, 100, 50, 255), path, 90));
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const size_t frame = FindMarker(bytes, 0xC0), scan = FindMarker(bytes, 0xDA);
    switch (damage) {
    case JpegDamage::None:
        break;
    case JpegDamage::CutInScan:
        bytes.resize(scan + 20);
        break;
    case JpegDamage::ClaimsHugeProgressive: {
        // Progressive, every component at full resolution, one DC-only scan.
        bytes[frame + 1] = 0xC2;
        for (size_t c = 0; c < bytes[frame + 9]; ++c)
            bytes[frame + 11 + 3 * c] = 0x11;
        const size_t scanLength = size_t(bytes[scan + 2]) << 8 | bytes[scan + 3];
        bytes[scan + scanLength] = 0; // last of the spectral selection
        [[fallthrough]];
    }
    case JpegDamage::ClaimsHugeSize:
        PutBig(bytes, frame + 5, 16384, 2);
        PutBig(bytes, frame + 7, 16384, 2);
        break;
    }
    return bytes;
}

TEST_F(MediaTest, PicturesTooSmallForTheirStatedSizeAreRefused) {
    ASSERT_TRUE(Media::DecodePicture(testsupport::PngBytes(testfiles::SolidPixmap(8, 6, 10, 20, 30, 255))));
    ASSERT_TRUE(Media::DecodePicture(PngClaiming(8, 6))); // the header rewrite itself is sound
    EXPECT_FALSE(Media::DecodePicture(PngClaiming(16384, 16384)));

    const struct {
        JpegDamage damage;
        bool decodes;
    } jpegs[] = {{JpegDamage::None, true},
                 {JpegDamage::CutInScan, false},
                 {JpegDamage::ClaimsHugeSize, false},
                 {JpegDamage::ClaimsHugeProgressive, false}};
    for (const auto& jpeg : jpegs) {
        SCOPED_TRACE(int(jpeg.damage));
        const Media::PixelMapRef map = Media::DecodePicture(DamagedJpeg(TempPath("pic.jpg"), jpeg.damage));
        EXPECT_EQ(bool(map), jpeg.decodes);
    }
}

} // namespace
