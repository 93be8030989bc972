// Ogg Vorbis decoder: any bytes, as they are and with their page checksums made right, either
// give a non-empty 16-bit sample or give none.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    for (const std::vector<uint8_t>& input : {bytes, Fuzz::WithOggChecksums(bytes)}) {
        if (Media::AudioSampleRef sample = Media::DecodeOgg(input)) {
            Fuzz::CheckSample(*sample);
            Fuzz::Require(sample->Format == Media::SF_MONO16LE || sample->Format == Media::SF_STEREO16LE,
                          "Ogg decodes to 16-bit little-endian");
            Fuzz::Require(sample->Length > 0, "Ogg sample not empty");
        }
    }
    return 0;
}
