#include "presentation/sound.h"

#include <algorithm>

#include "media/audio_codec.h"
#include "media/fatal_error.h"
#include "shell/gameplay_hooks.h"
#include "shell/load_helpers.h"

namespace {

constexpr uint32_t RETRIGGER_MS = 60;

std::string WithoutExtension(const std::string& path) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}

} // namespace

SoundRef Sound::LoadSound(const std::string& path, int looping, int solo) {
    auto sound = std::make_shared<Sound>();
    if (!path.empty()) {
        std::string base = SoundFolder_ + WithoutExtension(path);
        Media::AudioSampleRef sample = Media::LoadAudioSample(base + ".wav");
        if (!sample) {
            sample = Media::LoadAudioSample(base + ".ogg");
            if (sample && ConvertOgg_ == 1) SaveWav(*sample, base + ".wav");
        }
        if (sample) sound->TSound_ = Media::LoadSound(sample, looping ? Media::SOUND_LOOP : 0);
    }
    if (!sound->TSound_)
        Media::DebugLog("Error in Sound.Load() : ''" + SoundFolder_ + path + "'' failed to load.");
    sound->Looping_ = looping;
    sound->Solo_ = solo;
    return sound;
}

SoundRef Sound::Load(const std::string& path, int looping, int solo) {
    SoundRef sound = LoadSound(path, looping, solo);
    AllSounds_.push_back(sound);
    ReportLoadProgress(path);
    return sound;
}

Media::AudioChannelRef Sound::Play(float volume, float rate, int mode) {
    if (!TSound_) return nullptr;
    if (!(volume >= 0)) volume = 0; // NaN too
    if (volume > 1) volume = 1;
    if (mode == 0 && SpeedPowerupActive()) rate *= 1.25f;
    if (!(rate >= 0.00390625f && rate <= 256.0f)) FatalError("Error in Sound.Play(): Rate# out of range!");

    // A sound starts at most once per 60 ms. A clock reading earlier than the last start means
    // the clock wrapped. The very first start is always allowed, whatever the clock reads.
    uint32_t now = Media::ClockMs();
    if (LastChannel_ && LastPlayTime_ <= now && uint64_t(now) <= uint64_t(LastPlayTime_) + RETRIGGER_MS)
        return nullptr;

    if (LastChannel_ && Solo_ == 1) LastChannel_->Stop();
    Media::AudioChannelRef channel = Media::CueSound(*TSound_);
    LastChannel_ = channel;
    if (mode == 1)
        channel->SetVolume(volume);
    else if (mode == 0)
        channel->SetVolume(SoundVolume_ * volume);
    channel->SetRate(rate);
    channel->SetPaused(0);
    LastPlayTime_ = now;
    return channel;
}

SoundRef Sound::OpenMusic(const std::string& path) {
    auto sound = std::make_shared<Sound>();
    std::string base = SoundFolder_ + WithoutExtension(path);
    sound->TSound_ = Media::OpenSoundStream(base + ".wav", Media::SOUND_LOOP);
    if (!sound->TSound_) {
        sound->TSound_ = Media::OpenSoundStream(base + ".ogg", Media::SOUND_LOOP);
        if (sound->TSound_ && ConvertOgg_ == 1) {
            if (Media::AudioSampleRef sample = Media::LoadAudioSample(base + ".ogg"))
                SaveWav(*sample, base + ".wav");
        }
    }
    if (!sound->TSound_)
        Media::DebugLog("Error in Sound.Load() : ''" + SoundFolder_ + path + "'' failed to load.");
    sound->Looping_ = 1;
    return sound;
}

void Sound::PlayMusic(const std::string& name) {
    // The previous piece is released rather than kept with the effects, and a piece is decoded
    // while it plays, not whole here: a level's track would stall this frame for most of 150 ms.
    std::string path = "music\\" + name;
    Music_ = OpenMusic(path);
    ReportLoadProgress(path);
    StopMusic();
    MusicChannel_ = Music_->Play(MusicVolume_, 1.0f, 1);
}

void Sound::SetMusicVolume(float volume) {
    if (MusicChannel_) MusicChannel_->SetVolume(volume);
    MusicVolume_ = volume;
}

void Sound::StopMusic() {
    if (MusicChannel_) MusicChannel_->Stop();
}

void Sound::PauseMusic(int paused) {
    if (MusicChannel_) MusicChannel_->SetPaused(paused);
}

void Sound::SaveWav(const Media::AudioSample& sample, const std::string& path) {
    std::unique_ptr<Media::Stream> out = Media::OpenWrite(path);
    if (!out) FatalError("Error in Sound.SaveWav() : Failed to create .wav!  Please reinstall the game.");
    int format = sample.Format;
    int channels =
        (format == Media::SF_MONO8 || format == Media::SF_MONO16LE || format == Media::SF_MONO16BE) ? 1 : 2;
    int bits = (format == Media::SF_MONO8 || format == Media::SF_STEREO8) ? 8 : 16;
    int blockAlign = channels * bits / 8;
    int32_t dataSize = sample.Length * channels * (bits == 16 ? 2 : 1);
    out->WriteString("RIFF");
    out->WriteInt(36 + dataSize);
    out->WriteString("WAVE");
    out->WriteString("fmt ");
    out->WriteInt(16);
    out->WriteShort(1);
    out->WriteShort(channels);
    out->WriteInt(sample.Rate);
    out->WriteInt(sample.Rate * blockAlign);
    out->WriteShort(blockAlign);
    out->WriteShort(bits);
    out->WriteString("data");
    out->WriteInt(dataSize);
    // The header promises dataSize bytes; a sample holding fewer is padded with silence so the
    // file stays readable.
    size_t have = std::min(sample.Data.size(), size_t(std::max(dataSize, 0)));
    out->WriteBytes(sample.Data.data(), have);
    if (have < size_t(std::max(dataSize, 0))) {
        std::vector<uint8_t> pad(size_t(dataSize) - have, bits == 8 ? 128 : 0);
        out->WriteBytes(pad.data(), pad.size());
    }
    out->Close();
}
