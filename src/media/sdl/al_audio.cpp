#include "media/sdl/al_audio.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "media/audio_codec.h"

namespace Media {

namespace {

// A streamed sound keeps this many buffers of this length queued on its source, so about a
// second is decoded ahead; the stream thread looks at the queues this often.
constexpr int STREAM_BUFFERS = 4;
constexpr int STREAM_BUFFER_MS = 250;
constexpr auto STREAM_PERIOD = std::chrono::milliseconds(40);

ALenum AlFormat(int format) {
    switch (format) {
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

bool BigEndian16(int format) {
    return format == SF_MONO16BE || format == SF_STEREO16BE;
}

} // namespace

// A sound decoded while it plays: the stream thread keeps its buffers queued on the source,
// decoding each one again once the source has played it. A looping sound goes on from its first
// frame within the queue, so the seam is as tight as the sound itself.
struct AlStream {
    ALuint Source = 0;
    ALuint Buffers[STREAM_BUFFERS] = {};
    int Rate = 0;
    int FramesPerBuffer = 0;
    bool Loops = false;

    // The stream thread's alone; the format is known once the decoder is open.
    EncodedAudio Encoded;
    std::unique_ptr<AudioDecoder> Decoder;
    ALenum Format = AL_NONE;
    int FrameBytes = 0;
    bool Swap = false; // 16-bit big-endian frames, swapped for OpenAL
    std::vector<uint8_t> Pcm[STREAM_BUFFERS];
    bool DecoderDone = false; // the last frame was decoded (or the file broke off)

    // Guarded by the pool's StreamLock.
    std::vector<ALuint> Free; // buffers not queued, to be filled
    bool Paused = true;       // the channel's wish; the source follows it
    bool Stopped = false;     // the channel let go; the buffers are deleted
    bool Finished = false;    // the last frame was decoded and has played
};

// A source of the pool. Serial tells the channel that cued it whether the source is still its own.
struct AlSlot {
    ALuint Source = 0;
    ALuint Buffer = 0;
    uint64_t Serial = 0;
    bool Busy = false;
    std::shared_ptr<AlStream> Stream; // while it plays a streamed sound
};

// Shared by the audio output and its channels, so a channel that outlives the device turns inert
// instead of touching a closed device.
struct AlPool {
    ALCdevice* Device = nullptr;
    ALCcontext* Context = nullptr;
    std::vector<AlSlot> Slots;
    uint64_t NextSerial = 1;

    // The stream thread and what it shares with the main thread.
    std::mutex StreamLock;
    std::condition_variable StreamWake;
    std::vector<std::shared_ptr<AlStream>> Streams;
    std::thread StreamThread;
    bool StreamQuit = false;

    bool Open() const { return Context != nullptr; }

    void Release(AlSlot& slot) {
        if (slot.Stream) {
            const std::lock_guard<std::mutex> lock(StreamLock);
            AlStream& stream = *slot.Stream;
            stream.Stopped = true;
            const auto listed = std::find(Streams.begin(), Streams.end(), slot.Stream);
            if (listed != Streams.end()) Streams.erase(listed);
            alSourceStop(slot.Source);
            alSourcei(slot.Source, AL_BUFFER, 0); // unqueues every buffer
            alDeleteBuffers(STREAM_BUFFERS, stream.Buffers);
            slot.Stream.reset();
        } else {
            alSourceStop(slot.Source);
            alSourcei(slot.Source, AL_BUFFER, 0);
        }
        slot.Buffer = 0;
        slot.Busy = false;
    }

    // Frees a busy source whose sound has ended; true when it did. A streamed sound has ended once
    // its last buffer played, not when its source ran dry waiting for the next one.
    bool ReleaseIfEnded(AlSlot& slot) {
        if (slot.Stream) {
            std::unique_lock<std::mutex> lock(StreamLock);
            if (!slot.Stream->Finished) return false;
            lock.unlock();
            Release(slot);
            return true;
        }
        ALint state = AL_STOPPED;
        alGetSourcei(slot.Source, AL_SOURCE_STATE, &state);
        if (state != AL_STOPPED) return false;
        Release(slot);
        return true;
    }

    // Plays a streamed sound on `slot`; false when it has no buffers.
    bool StartStream(AlSlot& slot, const LoadedSound& sound) {
        auto stream = std::make_shared<AlStream>();
        stream->Source = slot.Source;
        stream->Rate = sound.Sample().Rate;
        stream->FramesPerBuffer = std::max(1, stream->Rate * STREAM_BUFFER_MS / 1000);
        stream->Loops = sound.Loops();
        stream->Encoded = EncodedBytes(sound);
        alGetError();
        alGenBuffers(STREAM_BUFFERS, stream->Buffers);
        if (alGetError() != AL_NO_ERROR) return false;
        stream->Free.assign(stream->Buffers, stream->Buffers + STREAM_BUFFERS);
        slot.Stream = stream;
        {
            const std::lock_guard<std::mutex> lock(StreamLock);
            Streams.push_back(stream);
            if (!StreamThread.joinable()) StreamThread = std::thread([this] { RunStreams(); });
        }
        StreamWake.notify_one();
        return true;
    }

    // The stream thread: refills the buffers each source has played. Decoding runs outside the
    // lock, so the main thread never waits for it.
    void RunStreams() {
        std::unique_lock<std::mutex> lock(StreamLock);
        std::vector<std::shared_ptr<AlStream>> work;
        std::vector<ALuint> filling;
        while (!StreamQuit) {
            work = Streams;
            for (const std::shared_ptr<AlStream>& stream : work) {
                AlStream& s = *stream;
                if (s.Stopped) continue; // let go since the list was copied: the source is not its own
                ALint processed = 0;
                alGetSourcei(s.Source, AL_BUFFERS_PROCESSED, &processed);
                for (; processed > 0; --processed) {
                    ALuint buffer = 0;
                    alSourceUnqueueBuffers(s.Source, 1, &buffer);
                    s.Free.push_back(buffer);
                }
                if (s.DecoderDone || s.Free.empty()) {
                    Settle(s);
                    continue;
                }
                filling.assign(s.Free.begin(), s.Free.end());
                s.Free.clear();
                lock.unlock();
                std::vector<int> frames = Decode(s, filling.size());
                lock.lock();
                if (s.Stopped) continue; // its buffers are gone
                for (size_t i = 0; i < filling.size(); ++i) {
                    if (frames[i] > 0) {
                        alBufferData(filling[i], s.Format, s.Pcm[i].data(), ALsizei(frames[i] * s.FrameBytes),
                                     s.Rate);
                        alSourceQueueBuffers(s.Source, 1, &filling[i]);
                    } else {
                        s.Free.push_back(filling[i]);
                    }
                }
                Settle(s);
            }
            work.clear();
            if (Streams.empty())
                StreamWake.wait(lock, [this] { return StreamQuit || !Streams.empty(); });
            else
                StreamWake.wait_for(lock, STREAM_PERIOD);
        }
    }

    // Decodes up to `count` buffers of the stream (without the lock); the frames in each.
    static std::vector<int> Decode(AlStream& s, size_t count) {
        std::vector<int> frames(count, 0);
        if (!s.Decoder) {
            s.Decoder = OpenAudioDecoder(s.Encoded);
            if (s.Decoder) {
                const AudioSample& header = s.Decoder->Header();
                s.Format = AlFormat(header.Format);
                s.FrameBytes = header.BytesPerFrame();
                s.Swap = BigEndian16(header.Format);
            }
            if (!s.Decoder || s.Format == AL_NONE) {
                s.DecoderDone = true; // the header read when the sound opened cannot fail now
                return frames;
            }
        }
        const size_t frameBytes = size_t(s.FrameBytes);
        for (size_t i = 0; i < count && !s.DecoderDone; ++i) {
            std::vector<uint8_t>& pcm = s.Pcm[i];
            pcm.resize(size_t(s.FramesPerBuffer) * frameBytes);
            frames[i] = ReadFrames(*s.Decoder, s.Loops, pcm.data(), s.FramesPerBuffer);
            if (s.Swap) {
                for (size_t b = 0; b + 1 < size_t(frames[i]) * frameBytes; b += 2)
                    std::swap(pcm[b], pcm[b + 1]);
            }
            if (frames[i] < s.FramesPerBuffer) s.DecoderDone = true;
        }
        return frames;
    }

    // With the lock held: the source plays while the channel wants it and has frames queued (it
    // also restarts a source that ran dry); the sound has finished once its last buffer played.
    static void Settle(AlStream& s) {
        ALint queued = 0, state = AL_STOPPED;
        alGetSourcei(s.Source, AL_BUFFERS_QUEUED, &queued);
        alGetSourcei(s.Source, AL_SOURCE_STATE, &state);
        if (!s.Paused && queued > 0 && state != AL_PLAYING) alSourcePlay(s.Source);
        if (s.DecoderDone && queued == 0) s.Finished = true;
    }

    // The channel's pause and resume of a streamed sound.
    void PauseStream(AlStream& s, bool paused) {
        {
            const std::lock_guard<std::mutex> lock(StreamLock);
            s.Paused = paused;
            if (paused) {
                alSourcePause(s.Source);
            } else {
                ALint queued = 0;
                alGetSourcei(s.Source, AL_BUFFERS_QUEUED, &queued);
                if (queued > 0) alSourcePlay(s.Source);
            }
        }
        if (!paused) StreamWake.notify_one();
    }

    bool StreamPlaying(const AlStream& s) {
        const std::lock_guard<std::mutex> lock(StreamLock);
        return !s.Paused && !s.Finished;
    }

    void StopStreamThread() {
        {
            const std::lock_guard<std::mutex> lock(StreamLock);
            StreamQuit = true;
        }
        StreamWake.notify_one();
        if (StreamThread.joinable()) StreamThread.join();
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
        StopStreamThread();
        for (AlSlot& slot : Slots) {
            if (slot.Stream) Release(slot);
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
        if (slot->Stream) {
            paused_ = paused != 0;
            pool_->PauseStream(*slot->Stream, paused_);
        } else if (paused != 0 && !paused_) {
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
        if (slot->Stream) return pool_->StreamPlaying(*slot->Stream) ? 1 : 0;
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
    const ALenum format = AlFormat(sample.Format);
    if (!pool_->Open() || format == AL_NONE || sample.Rate <= 0 || sample.Length <= 0) return 0;
    const size_t bytes =
        std::min(size_t(sample.Length) * size_t(sample.BytesPerFrame()),
                 sample.Data.size() / size_t(sample.BytesPerFrame()) * size_t(sample.BytesPerFrame()));
    if (bytes == 0) return 0;

    const uint8_t* data = sample.Data.data();
    std::vector<uint8_t> swapped;
    if (BigEndian16(sample.Format)) {
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
    const bool streamed = IsStreamed(sound);
    if (!pool_->Open() || (sound.BackendBuffer() == 0 && !streamed)) return nullptr;
    AlSlot* slot = pool_->Acquire();
    if (slot == nullptr) return nullptr;
    slot->Buffer = sound.BackendBuffer();
    alSourcei(slot->Source, AL_BUFFER, ALint(slot->Buffer));
    // A streamed sound loops in its decoder, within the queue.
    alSourcei(slot->Source, AL_LOOPING, sound.Loops() && !streamed ? AL_TRUE : AL_FALSE);
    if (streamed && !pool_->StartStream(*slot, sound)) return nullptr;
    slot->Busy = true;
    slot->Serial = pool_->NextSerial++;
    alSourcef(slot->Source, AL_GAIN, 1.0f);
    alSourcef(slot->Source, AL_PITCH, 1.0f);
    alSourceRewind(slot->Source); // a reused source was stopped; a cued one must read as not ended
    return std::make_shared<AlChannel>(pool_, *slot, sound.Loops());
}

} // namespace Media
