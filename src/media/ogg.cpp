// Ogg Vorbis decoding through vorbisfile, reading from memory.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "media/audio_codec.h"

namespace Media {
namespace {

struct MemoryFile {
    const std::vector<uint8_t>* bytes;
    size_t position;
};

size_t ReadMemory(void* buffer, size_t size, size_t count, void* source) {
    auto* file = static_cast<MemoryFile*>(source);
    if (size == 0) return 0;
    const size_t items = std::min(count, (file->bytes->size() - file->position) / size);
    std::memcpy(buffer, file->bytes->data() + file->position, items * size);
    file->position += items * size;
    return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(source);
    const ogg_int64_t size = ogg_int64_t(file->bytes->size());
    ogg_int64_t target = offset;
    if (whence == SEEK_CUR)
        target += ogg_int64_t(file->position);
    else if (whence == SEEK_END)
        target += size;
    if (target < 0 || target > size) return -1;
    file->position = size_t(target);
    return 0;
}

long TellMemory(void* source) {
    return long(static_cast<MemoryFile*>(source)->position);
}

// Vorbis decoded to 16-bit little-endian frames through vorbisfile, which reads from the bytes in
// memory.
class OggDecoder final : public AudioDecoder {
public:
    explicit OggDecoder(EncodedAudio bytes) : bytes_(std::move(bytes)), file_{bytes_.get(), 0} {}
    ~OggDecoder() override { Close(); }
    OggDecoder(const OggDecoder&) = delete;
    OggDecoder& operator=(const OggDecoder&) = delete;

    // Reads the headers; false when the stream is not one we can play.
    bool Open() {
        Close();
        file_.position = 0;
        const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
        if (ov_open_callbacks(&file_, &vorbis_, nullptr, 0, callbacks) != 0) return false;
        open_ = true;
        const vorbis_info* info = ov_info(&vorbis_, -1);
        if (!info || (info->channels != 1 && info->channels != 2) || info->rate <= 0 || info->rate > 1000000)
            return false;
        channels_ = info->channels;
        header_.Format = channels_ == 1 ? SF_MONO16LE : SF_STEREO16LE;
        header_.Rate = int(info->rate);
        const ogg_int64_t total = ov_pcm_total(&vorbis_, -1);
        header_.Length = int(std::clamp<ogg_int64_t>(total, 0, MAX_SAMPLE_FRAMES));
        decoded_ = 0;
        pending_ = 0;
        return true;
    }

    int Read(uint8_t* out, int frames) override {
        if (!open_) return 0;
        const size_t frameBytes = size_t(2 * channels_);
        int written = 0;
        while (written < frames && decoded_ < MAX_SAMPLE_FRAMES) {
            if (pending_ == 0 && !Decode()) break;
            // Never past the frame limit, so a stream read piece by piece ends where the whole
            // decode ends.
            const int64_t room = std::min<int64_t>(frames - written, MAX_SAMPLE_FRAMES - decoded_);
            const int take = int(std::min<int64_t>(room, int64_t(pending_ / frameBytes)));
            std::memcpy(out + size_t(written) * frameBytes, buffer_ + used_, size_t(take) * frameBytes);
            used_ += size_t(take) * frameBytes;
            pending_ -= size_t(take) * frameBytes;
            written += take;
            decoded_ += take;
        }
        return written;
    }

    bool Rewind() override { return Open(); }

private:
    // Decodes the next piece into buffer_; false at the end or where the stream breaks off.
    bool Decode() {
        for (;;) {
            int section = 0;
            const long got = ov_read(&vorbis_, buffer_, sizeof buffer_, 0, 2, 1, &section);
            if (got == OV_HOLE) continue; // a gap in the stream: keep what follows
            if (got == 0) return false;
            // A corrupt stream, or one whose channel count changes between sections: not one sound.
            const vorbis_info* now = got > 0 ? ov_info(&vorbis_, section) : nullptr;
            if (!now || now->channels != channels_ || got % (2 * channels_) != 0) {
                failed_ = true;
                return false;
            }
            used_ = 0;
            pending_ = size_t(got);
            return true;
        }
    }

    void Close() {
        if (open_) ov_clear(&vorbis_);
        open_ = false;
    }

    EncodedAudio bytes_;
    MemoryFile file_;
    OggVorbis_File vorbis_{};
    bool open_ = false;
    int channels_ = 1;
    int64_t decoded_ = 0; // frames given out since the start
    char buffer_[16384];  // the last piece decoded
    size_t used_ = 0;     // bytes of it given out
    size_t pending_ = 0;  // bytes of it still to give
};

} // namespace

std::unique_ptr<AudioDecoder> OpenOggDecoder(EncodedAudio bytes) {
    if (!bytes || bytes->size() < 4 || std::memcmp(bytes->data(), "OggS", 4) != 0) return nullptr;
    auto decoder = std::make_unique<OggDecoder>(std::move(bytes));
    if (!decoder->Open()) return nullptr;
    return decoder;
}

AudioSampleRef DecodeOgg(const std::vector<uint8_t>& bytes) {
    // The decoder reads the bytes in place: an owner that frees nothing.
    std::unique_ptr<AudioDecoder> decoder =
        OpenOggDecoder(EncodedAudio(&bytes, [](const std::vector<uint8_t>*) {}));
    if (!decoder) return nullptr;
    auto sample = std::make_shared<AudioSample>(decoder->Header());
    const size_t frameBytes = size_t(sample->BytesPerFrame());
    constexpr int PIECE = 16384;
    size_t frames = 0;
    sample->Data.reserve((size_t(sample->Length) + PIECE) * frameBytes);
    for (;;) {
        // The header's length is only a guess for a damaged file: grow as the frames come.
        sample->Data.resize((frames + PIECE) * frameBytes);
        const int got = decoder->Read(sample->Data.data() + frames * frameBytes, PIECE);
        frames += size_t(got);
        if (got < PIECE) break;
    }
    if (decoder->Failed()) return nullptr; // corrupt: refuse rather than play noise
    sample->Length = int(frames);
    sample->Data.resize(frames * frameBytes);
    if (sample->Length == 0) return nullptr;
    return sample;
}

} // namespace Media
