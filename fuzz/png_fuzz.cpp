// PNG decoder: any bytes, as they are and with their chunk checksums made right, either decode to
// a complete RGBA picture or give none.
#include "fuzz_support.h"
#include "media/image_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    for (const std::vector<uint8_t>& input : {bytes, Fuzz::WithPngChecksums(bytes)})
        if (Media::PixelMapRef map = Media::DecodePng(input)) Fuzz::CheckPicture(*map);
    return 0;
}
