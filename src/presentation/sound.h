#pragma once
// Sound effects and music. A Sound is one loaded sample; each Play starts it on a fresh channel,
// under the effects volume, a 60 ms retrigger limit and an optional solo rule. Class-wide state
// plays one looping music piece at a time with its own volume.
#include <memory>
#include <string>
#include <vector>

#include "media/media.h"

class Sound;
using SoundRef = std::shared_ptr<Sound>;

class Sound {
public:
    static constexpr int MUSIC_TRACKS = 4; // level music tracks to pick from

    // Loads "sfx\" + path with its extension replaced: the .wav first, then the .ogg. A missing
    // sound logs one line and stays silent. Advances the loading bar. Never null.
    static SoundRef Load(const std::string& path, int looping, int solo);

    // Starts the sound on a new channel; null when it is silent or was started less than 61 ms
    // ago. volume is clamped to 0..1; mode 0 = effect (× SoundVolume_, rate × 1.25 under the
    // speed powerup), 1 = absolute volume (music), other modes leave the channel volume at 1.
    // A rate outside 1/256..256 is fatal.
    Media::AudioChannelRef Play(float volume, float rate, int mode);

    bool Loaded() const { return TSound_ != nullptr; }
    const Media::LoadedSoundRef& TSound() const { return TSound_; }
    int Looping() const { return Looping_; }
    int Solo() const { return Solo_; }

    // Plays sfx\music\<name without extension> (.wav or .ogg) looping at MusicVolume_, after
    // stopping the current piece. The piece is decoded a little ahead while it plays.
    static void PlayMusic(const std::string& name);
    static void SetMusicVolume(float volume);
    static void StopMusic();
    // Pauses (1) or resumes (0) the music channel, for application suspend and resume.
    static void PauseMusic(int paused);

    // Writes a sample as a RIFF WAVE file (PCM, little-endian header). Fatal if the file cannot
    // be created.
    static void SaveWav(const Media::AudioSample& sample, const std::string& path);

    static inline std::vector<SoundRef> AllSounds_;
    static inline std::string SoundFolder_ = "sfx\\";
    static inline int ConvertOgg_ = 0; // 1: a sound found only as .ogg is also written as .wav
    static inline float SoundVolume_ = 1.0f;
    static inline float MusicVolume_ = 0.5f;
    static inline SoundRef Music_;
    static inline Media::AudioChannelRef MusicChannel_;

private:
    static SoundRef LoadSound(const std::string& path, int looping, int solo);
    // Like LoadSound (looping, not solo), but the sound streams.
    static SoundRef OpenMusic(const std::string& path);

    Media::LoadedSoundRef TSound_;
    int Looping_ = 0;
    uint32_t LastPlayTime_ = 0;
    Media::AudioChannelRef LastChannel_;
    int Solo_ = 0;
};
