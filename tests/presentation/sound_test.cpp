#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "media/headless/headless_control.h"
#include "media/media.h"
#include "media/virtual_channel.h"
#include "presentation/sound.h"
#include "shell/gameplay_hooks.h"
#include "support/test_files.h"

class SoundTest : public testing::Test {
protected:
    void SetUp() override {
        root = testfiles::MakeTempDir();
        testfiles::WriteWav(root + "/sfx/beep.wav", 22050, 22050);
        testfiles::WriteOgg(root + "/sfx/shipexplode.ogg", 22050, 22050);
        testfiles::WriteOgg(root + "/sfx/music/title.ogg", 22050, 44100);
        testfiles::WriteWav(root + "/sfx/music/boss.wav", 22050, 44100);
        testfiles::StartHeadless(root);
        Media::Headless::AdvanceClock(1000);
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    static Media::VirtualChannel& Virtual(const Media::AudioChannelRef& channel) {
        return dynamic_cast<Media::VirtualChannel&>(*channel);
    }
    std::string root;
};

TEST_F(SoundTest, LoadFallsBackToOggAndLogsAMissingSound) {
    EXPECT_TRUE(Sound::Load("beep.wav", 0, 0)->Loaded());
    EXPECT_TRUE(Sound::Load("shipexplode.wav", 0, 0)->Loaded());
    EXPECT_TRUE(Sound::Load("shipexplode.ogg", 0, 0)->Loaded()); // only the base name matters
    SoundRef missing = Sound::Load("nothing.wav", 0, 0);
    EXPECT_FALSE(missing->Loaded());
    EXPECT_EQ(missing->Play(1, 1, 0), nullptr);
    EXPECT_NE(testfiles::LogText(root).find("Error in Sound.Load() : ''sfx\\nothing.wav'' failed to load."),
              std::string::npos);
    EXPECT_EQ(Sound::AllSounds_.size(), 4u);
    EXPECT_FALSE(std::filesystem::exists(root + "/sfx/shipexplode.wav")); // no conversion by default
}

TEST_F(SoundTest, ConvertOggWritesTheWav) {
    Sound::ConvertOgg_ = 1;
    Sound::Load("shipexplode.wav", 0, 0);
    Sound::ConvertOgg_ = 0;
    ASSERT_TRUE(std::filesystem::exists(root + "/sfx/shipexplode.wav"));
    EXPECT_TRUE(Media::LoadAudioSample("sfx/shipexplode.wav"));
}

TEST_F(SoundTest, RetriggerNeedsMoreThan60Ms) {
    SoundRef sound = Sound::Load("beep.wav", 0, 0);
    const struct {
        uint32_t wait;
        bool starts;
    } steps[] = {{0, true}, {30, false}, {30, false}, {1, true}, {61, true}, {60, false}};
    for (const auto& step : steps) {
        Media::Headless::AdvanceClock(step.wait);
        EXPECT_EQ(sound->Play(1, 1, 0) != nullptr, step.starts) << step.wait;
    }
}

TEST_F(SoundTest, FirstPlayIsAllowedAtAnyClockReading) {
    testfiles::StartHeadless(root); // clock back at 0
    SoundRef sound = Sound::Load("beep.wav", 0, 0);
    EXPECT_NE(sound->Play(1, 1, 0), nullptr);
}

TEST_F(SoundTest, SoloStopsThePreviousChannel) {
    for (int solo : {0, 1}) {
        SoundRef sound = Sound::Load("beep.wav", 0, solo);
        Media::AudioChannelRef first = sound->Play(1, 1, 0);
        Media::Headless::AdvanceClock(61);
        Media::AudioChannelRef second = sound->Play(1, 1, 0);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->Playing(), solo ? 0 : 1) << solo;
        EXPECT_EQ(second->Playing(), 1);
    }
}

TEST_F(SoundTest, VolumeIsClampedAndScaledForEffectsOnly) {
    Sound::SoundVolume_ = 0.5f;
    SoundRef sound = Sound::Load("beep.wav", 0, 0);
    const struct {
        float volume;
        int mode;
        float expected;
    } cases[] = {{1.5f, 0, 0.5f}, {0.5f, 0, 0.25f}, {-1, 0, 0},  {NAN, 0, 0},
                 {0.8f, 1, 0.8f}, {1.5f, 1, 1},     {0.3f, 2, 1}};
    for (const auto& c : cases) {
        Media::Headless::AdvanceClock(100);
        Media::AudioChannelRef channel = sound->Play(c.volume, 1, c.mode);
        ASSERT_TRUE(channel);
        EXPECT_FLOAT_EQ(Virtual(channel).Volume(), c.expected) << c.volume << " mode " << c.mode;
    }
    Sound::SoundVolume_ = 1;
}

TEST_F(SoundTest, SpeedPowerupRaisesTheRateOfEffectsOnly) {
    SpeedPowerupActive = [] { return true; };
    SoundRef sound = Sound::Load("beep.wav", 0, 0);
    EXPECT_FLOAT_EQ(Virtual(sound->Play(1, 1, 0)).Rate(), 1.25f);
    Media::Headless::AdvanceClock(100);
    EXPECT_FLOAT_EQ(Virtual(sound->Play(1, 1, 1)).Rate(), 1.0f);
}

TEST_F(SoundTest, RateOutOfRangeIsFatal) {
    SoundRef sound = Sound::Load("beep.wav", 0, 0);
    EXPECT_EXIT(sound->Play(1, 300, 0), testing::ExitedWithCode(1),
                "Error in Sound.Play\\(\\): Rate# out of range!");
    EXPECT_EXIT(sound->Play(1, 0.001f, 1), testing::ExitedWithCode(1), "Rate# out of range");
    // 205 is in range, but 1.25 × 205 is not.
    SpeedPowerupActive = [] { return true; };
    EXPECT_EXIT(sound->Play(1, 205, 0), testing::ExitedWithCode(1), "Rate# out of range");
    EXPECT_NE(sound->Play(1, 205, 1), nullptr);
}

TEST_F(SoundTest, OneMusicPieceAtATime) {
    Sound::PlayMusic("title.wav"); // found as title.ogg
    Media::AudioChannelRef title = Sound::MusicChannel_;
    ASSERT_TRUE(title);
    EXPECT_EQ(title->Playing(), 1);
    EXPECT_TRUE(Sound::Music_->Looping());
    EXPECT_FLOAT_EQ(Virtual(title).Volume(), 0.5f);

    Sound::SetMusicVolume(0.2f);
    EXPECT_FLOAT_EQ(Virtual(title).Volume(), 0.2f);
    Sound::PlayMusic("boss.ogg"); // found as boss.wav
    EXPECT_EQ(title->Playing(), 0);
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 1);
    EXPECT_FLOAT_EQ(Virtual(Sound::MusicChannel_).Volume(), 0.2f);

    Sound::PauseMusic(1);
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 0);
    Sound::PauseMusic(0);
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 1);
    Sound::StopMusic();
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 0);
    EXPECT_TRUE(Sound::AllSounds_.empty()); // music pieces are not kept with the effects
}

TEST_F(SoundTest, SaveWavWritesTheTabledHeader) {
    const struct {
        int format, channels, bits;
    } cases[] = {{Media::SF_MONO8, 1, 8},
                 {Media::SF_MONO16LE, 1, 16},
                 {Media::SF_STEREO8, 2, 8},
                 {Media::SF_STEREO16LE, 2, 16}};
    for (const auto& c : cases) {
        Media::AudioSample sample;
        sample.Format = c.format;
        sample.Rate = 11025;
        sample.Length = 5;
        sample.Data.resize(size_t(5 * c.channels * c.bits / 8));
        for (size_t i = 0; i < sample.Data.size(); ++i)
            sample.Data[i] = uint8_t(i * 7 + 1);
        Sound::SaveWav(sample, "out.wav");

        std::string bytes = testfiles::ReadText(root + "/out.wav");
        auto u32 = [&](size_t at) {
            return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
                   uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
        };
        auto u16 = [&](size_t at) { return int(uint8_t(bytes[at])) | int(uint8_t(bytes[at + 1])) << 8; };
        uint32_t dataSize = uint32_t(sample.Data.size());
        ASSERT_EQ(bytes.size(), 44 + dataSize);
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(u32(4), 36 + dataSize);
        EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(u32(16), 16u);
        EXPECT_EQ(u16(20), 1);
        EXPECT_EQ(u16(22), c.channels);
        EXPECT_EQ(u32(24), 11025u);
        EXPECT_EQ(u32(28), uint32_t(11025 * c.channels * c.bits / 8));
        EXPECT_EQ(u16(32), c.channels * c.bits / 8);
        EXPECT_EQ(u16(34), c.bits);
        EXPECT_EQ(bytes.substr(36, 4), "data");
        EXPECT_EQ(u32(40), dataSize);

        std::vector<uint8_t> raw(bytes.begin(), bytes.end());
        Media::AudioSampleRef back = Media::DecodeWav(raw);
        ASSERT_TRUE(back) << c.format;
        EXPECT_EQ(back->Format, c.format);
        EXPECT_EQ(back->Rate, 11025);
        EXPECT_EQ(back->Length, 5);
        EXPECT_EQ(back->Data, sample.Data);
    }
}

TEST_F(SoundTest, SaveWavToAnUnwritablePlaceIsFatal) {
    Media::AudioSample sample;
    EXPECT_EXIT(Sound::SaveWav(sample, "no/such/folder/x.wav"), testing::ExitedWithCode(1),
                "Error in Sound.SaveWav\\(\\) : Failed to create .wav!  Please reinstall the game.");
}
