// Ogg Vorbis decoding through vorbisfile, reading from memory.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "media/audio_codec.h"

namespace Media {
namespace {

struct MemoryFile {
    const std::vector<uint8_t>* bytes;
    size_t position;
};

size_t Read(void* buffer, size_t size, size_t count, void* source) {
    auto* file = static_cast<MemoryFile*>(source);
    if (size == 0) return 0;
    const size_t items = std::min(count, (file->bytes->size() - file->position) / size);
    std::memcpy(buffer, file->bytes->data() + file->position, items * size);
    file->position += items * size;
    return items;
}

int Seek(void* source, ogg_int64_t offset, int whence) {
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

long Tell(void* source) {
    return long(static_cast<MemoryFile*>(source)->position);
}

} // namespace

AudioSampleRef DecodeOgg(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "OggS", 4) != 0) return nullptr;
    MemoryFile file{&bytes, 0};
    const ov_callbacks callbacks{Read, Seek, nullptr, Tell};
    OggVorbis_File vorbis;
    if (ov_open_callbacks(&file, &vorbis, nullptr, 0, callbacks) != 0) return nullptr;
    const vorbis_info* info = ov_info(&vorbis, -1);
    if (!info || (info->channels != 1 && info->channels != 2) || info->rate <= 0 || info->rate > 1000000) {
        ov_clear(&vorbis);
        return nullptr;
    }
    auto sample = std::make_shared<AudioSample>();
    sample->Format = info->channels == 1 ? SF_MONO16LE : SF_STEREO16LE;
    sample->Rate = int(info->rate);
    const size_t frameBytes = size_t(2 * info->channels);
    const size_t maxBytes = size_t(MAX_SAMPLE_FRAMES) * frameBytes;
    const ogg_int64_t total = ov_pcm_total(&vorbis, -1);
    if (total > 0) sample->Data.reserve(std::min(size_t(total) * frameBytes, maxBytes));
    char buffer[16384];
    int section = 0;
    for (;;) {
        const long got = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == OV_HOLE) continue; // a gap in the stream: keep what follows
        if (got < 0) {                // corrupt: refuse rather than play noise
            ov_clear(&vorbis);
            return nullptr;
        }
        if (got == 0) break;
        // A stream whose channel count changes between sections is not one sound.
        const vorbis_info* now = ov_info(&vorbis, section);
        if (!now || now->channels != info->channels) {
            ov_clear(&vorbis);
            return nullptr;
        }
        if (sample->Data.size() + size_t(got) > maxBytes) break;
        sample->Data.insert(sample->Data.end(), buffer, buffer + got);
    }
    ov_clear(&vorbis);
    sample->Length = int(sample->Data.size() / frameBytes);
    sample->Data.resize(size_t(sample->Length) * frameBytes);
    if (sample->Length == 0) return nullptr;
    return sample;
}

} // namespace Media
