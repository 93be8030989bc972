// Samples, loaded sounds and channels. Decoding is chosen by the file's content, not its name.
#include <cstring>
#include <utility>

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

std::unique_ptr<AudioDecoder> OpenAudioDecoder(EncodedAudio bytes) {
    if (!bytes || bytes->size() < 4) return nullptr;
    if (std::memcmp(bytes->data(), "RIFF", 4) == 0 || std::memcmp(bytes->data(), "RIFX", 4) == 0)
        return OpenWavDecoder(std::move(bytes));
    if (std::memcmp(bytes->data(), "OggS", 4) == 0) return OpenOggDecoder(std::move(bytes));
    return nullptr;
}

int ReadFrames(AudioDecoder& decoder, bool loops, uint8_t* out, int frames) {
    const size_t frameBytes = size_t(decoder.Header().BytesPerFrame());
    int written = 0;
    bool rewound = false; // a sound that gives no frame at all after a rewind is not looped forever
    while (written < frames) {
        const int got = decoder.Read(out + size_t(written) * frameBytes, frames - written);
        written += got;
        if (got > 0) rewound = false;
        if (written == frames) break;
        if (!loops || decoder.Failed() || rewound || !decoder.Rewind()) break;
        rewound = true;
    }
    return written;
}

LoadedSound::~LoadedSound() {
    if (buffer_ != 0 && generation_ == Internal::BackendGeneration())
        CurrentBackend().DestroySoundBuffer(buffer_);
}

LoadedSoundRef LoadSound(AudioSampleRef sample, int flags) {
    const bool streamed = sample && sample->Format == SF_STREAMED;
    if (!sample || sample->Rate <= 0 || sample->Length < 0) return nullptr;
    if (streamed ? sample->Data.empty()
                 : sample->Format < SF_MONO8 || sample->Format > SF_STEREO16BE ||
                       sample->Data.size() < size_t(sample->Length) * size_t(sample->BytesPerFrame()))
        return nullptr;
    LoadedSoundRef sound(new LoadedSound());
    sound->sample_ = std::move(sample);
    sound->loop_ = (flags & SOUND_LOOP) != 0;
    // A streamed sound gets its buffers when it plays.
    if (!streamed) sound->buffer_ = CurrentBackend().CreateSoundBuffer(*sound->sample_);
    sound->generation_ = Internal::BackendGeneration();
    return sound;
}

LoadedSoundRef LoadSound(const std::string& path, int flags) {
    return LoadSound(LoadAudioSample(path), flags);
}

LoadedSoundRef OpenSoundStream(const std::string& path, int flags) {
    auto sample = std::make_shared<AudioSample>();
    if (!Internal::ReadFileBytes(path, sample->Data)) return nullptr;
    // The decoder reads the bytes in place for the header: an owner that frees nothing.
    std::unique_ptr<AudioDecoder> decoder =
        OpenAudioDecoder(EncodedAudio(&sample->Data, [](const std::vector<uint8_t>*) {}));
    if (!decoder || decoder->Header().Length <= 0) return nullptr;
    sample->Format = SF_STREAMED;
    sample->Length = decoder->Header().Length;
    sample->Rate = decoder->Header().Rate;
    decoder.reset();
    return LoadSound(std::move(sample), flags);
}

bool IsStreamed(const LoadedSound& sound) {
    return sound.Sample().Format == SF_STREAMED;
}

EncodedAudio EncodedBytes(const LoadedSound& sound) {
    const AudioSampleRef sample = sound.SampleRef();
    return EncodedAudio(sample, &sample->Data);
}

AudioChannelRef CueSound(const LoadedSound& sound) {
    return CurrentBackend().Cue(sound);
}

int SelectAudioDriver(const std::string& name) {
    return CurrentBackend().SelectAudioDriver(name);
}

} // namespace Media
