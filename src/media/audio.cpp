// Samples, loaded sounds and channels. Decoding is chosen by the file's content, not its name.
#include <cstring>

#include "media/audio_codec.h"
#include "media/media.h"
#include "media/media_internal.h"

namespace Media {

int AudioSample::Channels() const {
    return Format >= SF_STEREO8 ? 2 : 1;
}

int AudioSample::BytesPerFrame() const {
    const bool eightBit = Format == SF_MONO8 || Format == SF_STEREO8;
    return Channels() * (eightBit ? 1 : 2);
}

AudioSampleRef LoadAudioSample(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!Internal::ReadFileBytes(path, bytes)) return nullptr;
    if (bytes.size() >= 4 &&
        (std::memcmp(bytes.data(), "RIFF", 4) == 0 || std::memcmp(bytes.data(), "RIFX", 4) == 0))
        return DecodeWav(bytes);
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0) return DecodeOgg(bytes);
    return nullptr;
}

LoadedSound::~LoadedSound() {
    if (buffer_ != 0 && generation_ == Internal::BackendGeneration())
        CurrentBackend().DestroySoundBuffer(buffer_);
}

LoadedSoundRef LoadSound(AudioSampleRef sample, int flags) {
    if (!sample || sample->Format < SF_MONO8 || sample->Format > SF_STEREO16BE || sample->Rate <= 0 ||
        sample->Length < 0 || sample->Data.size() < size_t(sample->Length) * size_t(sample->BytesPerFrame()))
        return nullptr;
    LoadedSoundRef sound(new LoadedSound());
    sound->sample_ = std::move(sample);
    sound->loop_ = (flags & SOUND_LOOP) != 0;
    sound->buffer_ = CurrentBackend().CreateSoundBuffer(*sound->sample_);
    sound->generation_ = Internal::BackendGeneration();
    return sound;
}

LoadedSoundRef LoadSound(const std::string& path, int flags) {
    return LoadSound(LoadAudioSample(path), flags);
}

AudioChannelRef CueSound(const LoadedSound& sound) {
    return CurrentBackend().Cue(sound);
}

int SelectAudioDriver(const std::string& name) {
    return CurrentBackend().SelectAudioDriver(name);
}

} // namespace Media
