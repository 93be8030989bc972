// Our WAV reader: RIFF (little-endian) or RIFX (big-endian) files with PCM samples of 8 or 16 bits,
// mono or stereo. Chunk sizes are never trusted: a chunk that claims to run past the end of the
// file is cut at the end (some writers leave the data size at 0 or 0xFFFFFFFF).
#include <algorithm>
#include <cstring>
#include <utility>

#include "media/audio_codec.h"

namespace Media {
namespace {

constexpr int WAVE_FORMAT_PCM = 1;
constexpr int WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

class Reader {
public:
    Reader(const std::vector<uint8_t>& bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}
    uint32_t U32(size_t at) const {
        const uint8_t* p = &bytes_[at];
        return bigEndian_ ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                          : uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    uint16_t U16(size_t at) const {
        const uint8_t* p = &bytes_[at];
        return bigEndian_ ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
    }

private:
    const std::vector<uint8_t>& bytes_;
    bool bigEndian_;
};

} // namespace

namespace {

// Reads the header: the sample's format, rate and length, and where its frames start. False when
// it is not a PCM WAV we can play.
bool ParseWav(const std::vector<uint8_t>& bytes, AudioSample& header, size_t& dataAt) {
    if (bytes.size() < 12 || std::memcmp(&bytes[8], "WAVE", 4) != 0) return false;
    const bool bigEndian = std::memcmp(bytes.data(), "RIFX", 4) == 0;
    if (!bigEndian && std::memcmp(bytes.data(), "RIFF", 4) != 0) return false;
    const Reader read(bytes, bigEndian);

    int channels = 0, bits = 0, rate = 0;
    bool haveFormat = false;
    size_t dataSize = 0;
    bool haveData = false;
    for (size_t at = 12; at + 8 <= bytes.size() && !haveData;) {
        const size_t claimed = read.U32(at + 4);
        const size_t body = at + 8;
        const size_t size = std::min(claimed, bytes.size() - body);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0) {
            if (size < 16) return false;
            int tag = read.U16(body);
            channels = read.U16(body + 2);
            rate = int(std::min<uint32_t>(read.U32(body + 4), 1000000));
            bits = read.U16(body + 14);
            // The extensible header names its real format in the first two bytes of its GUID.
            if (tag == WAVE_FORMAT_EXTENSIBLE && size >= 26) tag = read.U16(body + 24);
            if (tag != WAVE_FORMAT_PCM) return false;
            haveFormat = true;
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            dataAt = body;
            dataSize = size;
            haveData = true;
        }
        if (claimed > bytes.size() - body) break;
        at = body + size + (size & 1); // chunks are padded to an even size
    }
    if (!haveFormat || !haveData || rate <= 0 || (channels != 1 && channels != 2) ||
        (bits != 8 && bits != 16))
        return false;

    if (bits == 8)
        header.Format = channels == 1 ? SF_MONO8 : SF_STEREO8;
    else if (bigEndian)
        header.Format = channels == 1 ? SF_MONO16BE : SF_STEREO16BE;
    else
        header.Format = channels == 1 ? SF_MONO16LE : SF_STEREO16LE;
    header.Rate = rate;
    header.Length =
        int(std::min<size_t>(dataSize / size_t(header.BytesPerFrame()), size_t(MAX_SAMPLE_FRAMES)));
    return true;
}

// WAV frames are copied as they are stored.
class WavDecoder final : public AudioDecoder {
public:
    WavDecoder(EncodedAudio bytes, const AudioSample& header, size_t dataAt)
        : bytes_(std::move(bytes)), dataAt_(dataAt) {
        header_ = header;
    }

    int Read(uint8_t* out, int frames) override {
        const int count = std::clamp(header_.Length - next_, 0, frames);
        const size_t frameBytes = size_t(header_.BytesPerFrame());
        std::memcpy(out, bytes_->data() + dataAt_ + size_t(next_) * frameBytes, size_t(count) * frameBytes);
        next_ += count;
        return count;
    }

    bool Rewind() override {
        next_ = 0;
        return true;
    }

private:
    EncodedAudio bytes_;
    size_t dataAt_;
    int next_ = 0; // the next frame to read
};

} // namespace

AudioSampleRef DecodeWav(const std::vector<uint8_t>& bytes) {
    auto sample = std::make_shared<AudioSample>();
    size_t dataAt = 0;
    if (!ParseWav(bytes, *sample, dataAt)) return nullptr;
    const size_t size = size_t(sample->Length) * size_t(sample->BytesPerFrame());
    sample->Data.assign(bytes.begin() + ptrdiff_t(dataAt), bytes.begin() + ptrdiff_t(dataAt + size));
    return sample;
}

std::unique_ptr<AudioDecoder> OpenWavDecoder(EncodedAudio bytes) {
    AudioSample header;
    size_t dataAt = 0;
    if (!bytes || !ParseWav(*bytes, header, dataAt)) return nullptr;
    return std::make_unique<WavDecoder>(std::move(bytes), header, dataAt);
}

} // namespace Media
