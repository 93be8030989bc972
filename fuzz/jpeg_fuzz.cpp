// JPEG decoder: any bytes either decode to a complete RGBA picture or give none.
#include "fuzz_support.h"
#include "media/image_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    if (Media::PixelMapRef map = Media::DecodeJpeg(bytes)) Fuzz::CheckPicture(*map);
    return 0;
}
