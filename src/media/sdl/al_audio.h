#pragma once
// The sdl back end's audio output through OpenAL Soft: one buffer per loaded sound and a pool of
// sources. A channel owns a source while it plays or is paused; a channel that ended or was stopped
// gives its source back to the pool.
#include <cstdint>
#include <memory>
#include <string>

#include "media/media.h"

namespace Media {

struct AlPool;

class AlAudio {
public:
    AlAudio();
    ~AlAudio();
    AlAudio(const AlAudio&) = delete;
    AlAudio& operator=(const AlAudio&) = delete;

    // "directsound", "default" or "" open the default output device; 1 on success (or when it is
    // already open), 0 when there is no device or the name is unknown.
    int SelectDriver(const std::string& name);
    bool Open() const;

    // An OpenAL buffer holding the sample; 0 without a device or for an empty sample.
    uint32_t CreateBuffer(const AudioSample& sample);
    // Stops every source playing the buffer, then deletes it.
    void DestroyBuffer(uint32_t buffer);
    // A paused channel on a free source, or null when there is no device, no buffer or no source
    // left (the caller then gives a silent channel).
    AudioChannelRef Cue(const LoadedSound& sound);

private:
    std::shared_ptr<AlPool> pool_;
};

} // namespace Media
