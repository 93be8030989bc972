// Ogg Vorbis decoder: any bytes, as they are and with their page checksums made right, either
// give a non-empty 16-bit sample or give none.
#include "fuzz_support.h"

// libvorbisfile 1.3.7 itself loses a list of stream serial numbers (8 bytes a stream) when a file
// whose later pages start a second, broken stream fails to open; nothing outside the library
// holds that list, and ov_open_callbacks has already cleared everything else.
// Its stack has no symbols, so leaks are ignored wherever the library is on the stack.
extern "C" const char* __lsan_default_suppressions() { return "leak:libvorbisfile.so\n"; }

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
