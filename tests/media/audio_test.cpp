#include <cmath>
#include <cstring>
#include <fstream>

#include "media/audio_codec.h"
#include "media/headless/headless_control.h"
#include "media/virtual_channel.h"
#include "support/media_fixture.h"
#include "support/ogg_writer.h"
#include "support/wav_writer.h"

namespace {

TEST_F(MediaTest, WavFilesGiveTheSixFormats) {
    struct Case {
        int Channels, Bits;
        bool BigEndian;
        int Format;
    };
    const Case cases[] = {{1, 8, false, Media::SF_MONO8},       {1, 16, false, Media::SF_MONO16LE},
                          {1, 16, true, Media::SF_MONO16BE},    {2, 8, false, Media::SF_STEREO8},
                          {2, 16, false, Media::SF_STEREO16LE}, {2, 16, true, Media::SF_STEREO16BE}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes =
            testsupport::WavBytes({c.Channels, c.Bits, 22050, c.BigEndian}, 441);
        Media::AudioSampleRef sample = Media::DecodeWav(bytes);
        ASSERT_TRUE(sample) << c.Format;
        EXPECT_EQ(sample->Format, c.Format);
        EXPECT_EQ(sample->Length, 441) << c.Format;
        EXPECT_EQ(sample->Rate, 22050);
        EXPECT_EQ(sample->Data.size(), size_t(441 * c.Channels * c.Bits / 8));
        EXPECT_EQ(sample->Data[1], 7); // the data itself, unchanged
        EXPECT_NEAR(sample->DurationMs(), 20.0, 1e-9);
    }
}

TEST_F(MediaTest, WavReaderSurvivesBadChunkSizesAndRejectsWhatItCannotPlay) {
    // A data size claiming more than the file holds: the data is cut at the end.
    Media::AudioSampleRef cut =
        Media::DecodeWav(testsupport::WavBytes({2, 16, 22050, false}, 100, 0xFFFFFFFF));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->Length, 100);
    // An odd byte count leaves no partial frame.
    std::vector<uint8_t> odd = testsupport::WavBytes({2, 16, 22050, false}, 10);
    odd.pop_back();
    ASSERT_TRUE(Media::DecodeWav(odd));
    EXPECT_EQ(Media::DecodeWav(odd)->Length, 9);

    std::vector<std::vector<uint8_t>> bad;
    bad.push_back(testsupport::WavBytes({3, 16, 22050, false}, 10)); // three channels
    bad.push_back(testsupport::WavBytes({1, 24, 22050, false}, 10)); // 24-bit
    std::vector<uint8_t> compressed = testsupport::WavBytes({1, 16, 22050, false}, 10);
    compressed[20 + 14] = 2; // format tag 2 (ADPCM) in the fmt chunk
    bad.push_back(compressed);
    std::vector<uint8_t> truncated = testsupport::WavBytes({1, 16, 22050, false}, 10);
    truncated.resize(30); // ends inside the fmt chunk
    bad.push_back(truncated);
    bad.push_back({'R', 'I', 'F', 'F'});
    bad.push_back({});
    for (size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(Media::DecodeWav(bad[i])) << i;
}

TEST_F(MediaTest, OggVorbisFilesDecodeTo16BitAndContentDecidesTheDecoder) {
    for (int channels : {1, 2}) {
        const std::vector<uint8_t> bytes = testsupport::OggTone(channels);
        // Named .wav on purpose: the content, not the name, chooses the decoder.
        const std::string path = TempPath("tone" + std::to_string(channels) + ".wav");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        Media::AudioSampleRef sample = Media::LoadAudioSample(path);
        ASSERT_TRUE(sample) << channels;
        EXPECT_EQ(sample->Format, channels == 1 ? Media::SF_MONO16LE : Media::SF_STEREO16LE);
        EXPECT_EQ(sample->Rate, 8000);
        EXPECT_EQ(sample->Length, 8000);
        int16_t peak = 0;
        for (size_t i = 0; i + 1 < sample->Data.size(); i += 2) {
            const int16_t v = int16_t(sample->Data[i] | sample->Data[i + 1] << 8);
            peak = std::max<int16_t>(peak, v);
        }
        EXPECT_NEAR(peak, 16384, 2500) << channels;

        std::vector<uint8_t> broken = bytes;
        broken.resize(60);
        EXPECT_FALSE(Media::DecodeOgg(broken));
    }
    EXPECT_FALSE(Media::LoadAudioSample(TempPath("absent.ogg")));
}

TEST_F(MediaTest, SoundsLoadWithTheirLoopFlagAndChannelsStartPaused) {
    const std::vector<uint8_t> bytes = testsupport::WavBytes({1, 16, 22050, false}, 22050); // one second
    const std::string path = TempPath("s.wav");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    Media::LoadedSoundRef once = Media::LoadSound(path, 0);
    Media::LoadedSoundRef looped = Media::LoadSound(Media::LoadAudioSample(path), Media::SOUND_LOOP);
    ASSERT_TRUE(once && looped);
    EXPECT_FALSE(once->Loops());
    EXPECT_TRUE(looped->Loops());
    EXPECT_FALSE(Media::LoadSound(TempPath("absent.wav"), 0));
    EXPECT_FALSE(Media::LoadSound(Media::AudioSampleRef(), 0));

    Media::AudioChannelRef channel = Media::CueSound(*once);
    ASSERT_TRUE(channel);
    auto* virtualChannel = dynamic_cast<Media::VirtualChannel*>(channel.get());
    ASSERT_TRUE(virtualChannel);
    EXPECT_EQ(channel->Playing(), 0);
    EXPECT_FLOAT_EQ(virtualChannel->Volume(), 1);
    EXPECT_FLOAT_EQ(virtualChannel->Rate(), 1);
    EXPECT_EQ(Media::SelectAudioDriver("directsound"), 1);
}

TEST_F(MediaTest, VirtualChannelsLiveOnTheMediaClock) {
    struct Case {
        const char* Name;
        float Rate;
        bool Loops;
        int PauseAt, ResumeAt;       // ms; -1 = no pause
        int StillPlayingAt, EndedBy; // ms; EndedBy -1 = never ends
    };
    const Case cases[] = {
        {"plain", 1, false, -1, -1, 999, 1000},
        {"double rate ends in half the time", 2, false, -1, -1, 499, 500},
        {"half rate", 0.5f, false, -1, -1, 1999, 2000},
        {"pause holds the position", 1, false, 300, 800, 1499, 1500},
        {"loops never end", 1, true, -1, -1, 5000, -1},
    };
    for (const Case& c : cases) {
        Media::Shutdown();
        Media::Options options;
        options.Headless = true;
        std::string error;
        ASSERT_TRUE(Media::Init(options, error));
        Media::VirtualChannel channel(1000, c.Loops);
        channel.SetRate(c.Rate);
        channel.SetPaused(0);
        int now = 0;
        auto advanceTo = [&](int ms) {
            Media::Headless::AdvanceClock(uint32_t(ms - now));
            now = ms;
        };
        if (c.PauseAt >= 0) {
            advanceTo(c.PauseAt);
            channel.SetPaused(1);
            EXPECT_EQ(channel.Playing(), 0) << c.Name;
            advanceTo(c.ResumeAt);
            EXPECT_NEAR(channel.PositionMs(), c.PauseAt, 1e-9) << c.Name;
            channel.SetPaused(0);
        }
        advanceTo(c.StillPlayingAt);
        EXPECT_EQ(channel.Playing(), 1) << c.Name;
        if (c.EndedBy >= 0) {
            advanceTo(c.EndedBy);
            EXPECT_EQ(channel.Playing(), 0) << c.Name;
            channel.SetPaused(0);
            EXPECT_EQ(channel.Playing(), 0) << c.Name << ": an ended channel stays ended";
        } else {
            EXPECT_NEAR(channel.PositionMs(), 0, 1e-9) << c.Name; // wrapped round five times
        }
    }
}

TEST_F(MediaTest, StoppedChannelsEndAndTheClockWrapDoesNotStopThem) {
    Media::Headless::AdvanceClock(0xFFFFFF00u); // 256 ms before the wrap
    Media::VirtualChannel channel(1000, false);
    channel.SetPaused(0);
    Media::Headless::AdvanceClock(500);
    EXPECT_EQ(channel.Playing(), 1);
    EXPECT_NEAR(channel.PositionMs(), 500, 1e-9);
    channel.Stop();
    EXPECT_EQ(channel.Playing(), 0);
}

} // namespace
