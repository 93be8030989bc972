// WAV reader: any bytes either give a sample that holds exactly its frames or give none.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    if (Media::AudioSampleRef sample = Media::DecodeWav(bytes)) Fuzz::CheckSample(*sample);
    return 0;
}
