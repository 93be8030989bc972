#pragma once
// Sound decoding: WAV (our own reader, wav.cpp) and Ogg Vorbis (vorbisfile, ogg.cpp), either whole
// or a piece at a time while the sound plays (AudioDecoder).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/media.h"

namespace Media {

// Sounds longer than this many sample frames (about 20 minutes at 44.1 kHz) are refused.
constexpr int64_t MAX_SAMPLE_FRAMES = int64_t(1) << 26;

// Ogg Vorbis bytes to 16-bit little-endian samples (mono or stereo); null when the bytes are not
// a Vorbis stream we can play.
AudioSampleRef DecodeOgg(const std::vector<uint8_t>& bytes);

using EncodedAudio = std::shared_ptr<const std::vector<uint8_t>>;

// Streamed sounds (music): a sample of this format holds its file's bytes in Data instead of frames,
// with the decoded sound's Length and Rate. LoadSound takes it as it is (no buffer is made) and the
// back end decodes the sound a little ahead while it plays, on the audio side; headless, its
// channel runs on the clock for Length / Rate like any other.
constexpr int SF_STREAMED = 0x100;

// Reads a ".wav" or ".ogg" file and its header only, so opening costs the caller no decoding; null
// when the file cannot be read or its header is not one we can play. flags: SOUND_LOOP.
LoadedSoundRef OpenSoundStream(const std::string& path, int flags);
bool IsStreamed(const LoadedSound& sound);
// The file's bytes of a streamed sound (they keep the sound's sample alive).
EncodedAudio EncodedBytes(const LoadedSound& sound);

// Decodes a sound's file a piece at a time, giving the same frames as the whole decode (DecodeWav,
// DecodeOgg). Not safe to share between threads; each decoder may live on its own thread.
class AudioDecoder {
public:
    virtual ~AudioDecoder() = default;
    // Format, Rate and Length (frames in all, from the header) of the sound; no Data.
    const AudioSample& Header() const { return header_; }
    // Decodes the next frames into `out`, which holds `frames` × Header().BytesPerFrame() bytes;
    // returns the frames written, fewer than asked only at the end of the sound (or where the rest
    // of the file cannot be decoded, Failed() then turns true).
    virtual int Read(uint8_t* out, int frames) = 0;
    // Back to the first frame; false when the sound cannot be read again.
    virtual bool Rewind() = 0;
    bool Failed() const { return failed_; }

protected:
    AudioSample header_;
    bool failed_ = false;
};

// A decoder for WAV or Ogg Vorbis bytes (chosen by their content); null when the header is not one
// we can play. The decoder keeps the bytes alive.
std::unique_ptr<AudioDecoder> OpenAudioDecoder(EncodedAudio bytes);
std::unique_ptr<AudioDecoder> OpenWavDecoder(EncodedAudio bytes);
std::unique_ptr<AudioDecoder> OpenOggDecoder(EncodedAudio bytes);

// Fills `frames` frames of `out` from the decoder; a looping sound goes on from its start after
// its last frame. Returns the frames written: fewer than asked once a sound that does not loop
// ends (or a file breaks off).
int ReadFrames(AudioDecoder& decoder, bool loops, uint8_t* out, int frames);

} // namespace Media
