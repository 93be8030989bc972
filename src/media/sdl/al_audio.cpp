#include "media/sdl/al_audio.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace Media {

// A source of the pool. Serial tells the channel that cued it whether the source is still its own.
struct AlSlot {
    ALuint Source = 0;
    ALuint Buffer = 0;
    uint64_t Serial = 0;
    bool Busy = false;
};

// Shared by the audio output and its channels, so a channel that outlives the device turns inert
// instead of touching a closed device.
struct AlPool {
    ALCdevice* Device = nullptr;
    ALCcontext* Context = nullptr;
    std::vector<AlSlot> Slots;
    uint64_t NextSerial = 1;

    bool Open() const { return Context != nullptr; }

    void Release(AlSlot& slot) {
        alSourceStop(slot.Source);
        alSourcei(slot.Source, AL_BUFFER, 0);
        slot.Buffer = 0;
        slot.Busy = false;
    }

    // Frees a busy source whose sound has ended; true when it did.
    bool ReleaseIfEnded(AlSlot& slot) {
        ALint state = AL_STOPPED;
        alGetSourcei(slot.Source, AL_SOURCE_STATE, &state);
        if (state != AL_STOPPED) return false;
        Release(slot);
        return true;
    }

    AlSlot* Acquire() {
        for (AlSlot& slot : Slots) {
            if (!slot.Busy) return &slot;
        }
        // Ended sounds are noticed lazily, when a source is needed.
        AlSlot* freed = nullptr;
        for (AlSlot& slot : Slots) {
            if (ReleaseIfEnded(slot) && freed == nullptr) freed = &slot;
        }
        return freed;
    }

    void Close() {
        if (!Open()) return;
        for (AlSlot& slot : Slots) {
            alSourceStop(slot.Source);
            alDeleteSources(1, &slot.Source);
        }
        Slots.clear();
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(Context);
        alcCloseDevice(Device);
        Context = nullptr;
        Device = nullptr;
    }
};

namespace {

constexpr int POOL_SOURCES = 48;
// OpenAL needs a pitch above 0; OpenAL Soft's mixer caps it at 255.
constexpr float MIN_PITCH = 0.001f;
constexpr float MAX_PITCH = 255.0f;

class AlChannel final : public AudioChannel {
public:
    AlChannel(std::shared_ptr<AlPool> pool, AlSlot& slot, bool loops)
        : pool_(std::move(pool)), slotIndex_(size_t(&slot - pool_->Slots.data())), serial_(slot.Serial),
          loops_(loops) {}

    // A dropped channel lets a one-shot sound play out; a paused or looping one could never be
    // stopped any more, so it is stopped now.
    ~AlChannel() override {
        AlSlot* slot = Live();
        if (slot != nullptr && (paused_ || loops_)) pool_->Release(*slot);
    }

    void Stop() override {
        if (AlSlot* slot = Live()) pool_->Release(*slot);
    }

    void SetPaused(int paused) override {
        AlSlot* slot = Live();
        if (slot == nullptr) return;
        if (paused != 0 && !paused_) {
            alSourcePause(slot->Source);
            paused_ = true;
        } else if (paused == 0 && paused_) {
            alSourcePlay(slot->Source); // starts a cued source, resumes a paused one
            paused_ = false;
        }
    }

    void SetVolume(float volume) override {
        if (AlSlot* slot = Live()) alSourcef(slot->Source, AL_GAIN, std::clamp(volume, 0.0f, 1.0f));
    }

    void SetRate(float rate) override {
        if (AlSlot* slot = Live()) alSourcef(slot->Source, AL_PITCH, std::clamp(rate, MIN_PITCH, MAX_PITCH));
    }

    int Playing() override {
        AlSlot* slot = Live();
        if (slot == nullptr) return 0;
        ALint state = AL_STOPPED;
        alGetSourcei(slot->Source, AL_SOURCE_STATE, &state);
        return state == AL_PLAYING ? 1 : 0;
    }

private:
    // The channel's source while it still holds one; an ended sound gives its source back here.
    AlSlot* Live() {
        if (!pool_->Open() || slotIndex_ >= pool_->Slots.size()) return nullptr;
        AlSlot& slot = pool_->Slots[slotIndex_];
        if (!slot.Busy || slot.Serial != serial_) return nullptr;
        return pool_->ReleaseIfEnded(slot) ? nullptr : &slot;
    }

    std::shared_ptr<AlPool> pool_;
    size_t slotIndex_;
    uint64_t serial_;
    bool loops_;
    bool paused_ = true;
};

ALenum AlFormat(const AudioSample& sample) {
    switch (sample.Format) {
    case SF_MONO8:
        return AL_FORMAT_MONO8;
    case SF_MONO16LE:
    case SF_MONO16BE:
        return AL_FORMAT_MONO16;
    case SF_STEREO8:
        return AL_FORMAT_STEREO8;
    case SF_STEREO16LE:
    case SF_STEREO16BE:
        return AL_FORMAT_STEREO16;
    default:
        return AL_NONE;
    }
}

} // namespace

AlAudio::AlAudio() : pool_(std::make_shared<AlPool>()) {}

AlAudio::~AlAudio() {
    pool_->Close();
}

bool AlAudio::Open() const {
    return pool_->Open();
}

int AlAudio::SelectDriver(const std::string& name) {
    if (name != "directsound" && name != "default" && !name.empty()) return 0;
    if (pool_->Open()) return 1;
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) return 0;
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        if (context != nullptr) alcDestroyContext(context);
        alcCloseDevice(device);
        return 0;
    }
    pool_->Device = device;
    pool_->Context = context;
    alDistanceModel(AL_NONE); // sounds are not placed in space
    alGetError();
    for (int i = 0; i < POOL_SOURCES; ++i) {
        AlSlot slot;
        alGenSources(1, &slot.Source);
        if (alGetError() != AL_NO_ERROR) break; // the device offers fewer sources
        alSourcei(slot.Source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(slot.Source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        pool_->Slots.push_back(slot);
    }
    return 1;
}

uint32_t AlAudio::CreateBuffer(const AudioSample& sample) {
    const ALenum format = AlFormat(sample);
    if (!pool_->Open() || format == AL_NONE || sample.Rate <= 0 || sample.Length <= 0) return 0;
    const size_t bytes =
        std::min(size_t(sample.Length) * size_t(sample.BytesPerFrame()),
                 sample.Data.size() / size_t(sample.BytesPerFrame()) * size_t(sample.BytesPerFrame()));
    if (bytes == 0) return 0;

    const uint8_t* data = sample.Data.data();
    std::vector<uint8_t> swapped;
    if (sample.Format == SF_MONO16BE || sample.Format == SF_STEREO16BE) {
        swapped.assign(sample.Data.begin(), sample.Data.begin() + std::ptrdiff_t(bytes));
        for (size_t i = 0; i + 1 < bytes; i += 2)
            std::swap(swapped[i], swapped[i + 1]);
        data = swapped.data();
    }
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return 0;
    alBufferData(buffer, format, data, ALsizei(bytes), sample.Rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}

void AlAudio::DestroyBuffer(uint32_t buffer) {
    if (!pool_->Open() || buffer == 0) return;
    for (AlSlot& slot : pool_->Slots) {
        if (slot.Busy && slot.Buffer == buffer) pool_->Release(slot);
    }
    const ALuint name = buffer;
    alDeleteBuffers(1, &name);
}

AudioChannelRef AlAudio::Cue(const LoadedSound& sound) {
    if (!pool_->Open() || sound.BackendBuffer() == 0) return nullptr;
    AlSlot* slot = pool_->Acquire();
    if (slot == nullptr) return nullptr;
    slot->Busy = true;
    slot->Serial = pool_->NextSerial++;
    slot->Buffer = sound.BackendBuffer();
    alSourcei(slot->Source, AL_BUFFER, ALint(slot->Buffer));
    alSourcei(slot->Source, AL_LOOPING, sound.Loops() ? AL_TRUE : AL_FALSE);
    alSourcef(slot->Source, AL_GAIN, 1.0f);
    alSourcef(slot->Source, AL_PITCH, 1.0f);
    alSourceRewind(slot->Source); // a reused source was stopped; a cued one must read as not ended
    return std::make_shared<AlChannel>(pool_, *slot, sound.Loops());
}

} // namespace Media
