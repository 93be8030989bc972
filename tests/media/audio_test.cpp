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

// The music's way: a sound decoded piece by piece while it plays.
std::shared_ptr<const std::vector<uint8_t>> Shared(std::vector<uint8_t> bytes) {
    return std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
}

TEST_F(MediaTest, StreamedDecodingGivesTheFramesOfTheWholeDecode) {
    struct Case {
        const char* Name;
        std::vector<uint8_t> Bytes;
    };
    const Case cases[] = {
        {"ogg mono", testsupport::OggTone(1, 8000, 20000)},
        {"ogg stereo", testsupport::OggTone(2, 22050, 30000)},
        {"wav 8-bit stereo", testsupport::WavBytes({2, 8, 22050, false}, 3001)},
        {"wav 16-bit big-endian", testsupport::WavBytes({1, 16, 22050, true}, 3001)},
    };
    for (const Case& c : cases) {
        Media::AudioSampleRef whole =
            c.Bytes[0] == 'O' ? Media::DecodeOgg(c.Bytes) : Media::DecodeWav(c.Bytes);
        ASSERT_TRUE(whole) << c.Name;
        std::unique_ptr<Media::AudioDecoder> decoder = Media::OpenAudioDecoder(Shared(c.Bytes));
        ASSERT_TRUE(decoder) << c.Name;
        EXPECT_EQ(decoder->Header().Format, whole->Format) << c.Name;
        EXPECT_EQ(decoder->Header().Rate, whole->Rate) << c.Name;
        EXPECT_EQ(decoder->Header().Length, whole->Length) << c.Name << ": the header knows the length";
        EXPECT_TRUE(decoder->Header().Data.empty());

        // Pieces of awkward sizes, across the decoder's own piece boundaries.
        const size_t frameBytes = size_t(whole->BytesPerFrame());
        std::vector<uint8_t> streamed;
        const int sizes[] = {1, 777, 4096, 5000};
        for (int i = 0;; ++i) {
            const int want = sizes[i % 4];
            std::vector<uint8_t> piece(size_t(want) * frameBytes);
            const int got = decoder->Read(piece.data(), want);
            streamed.insert(streamed.end(), piece.begin(),
                            piece.begin() + std::ptrdiff_t(size_t(got) * frameBytes));
            if (got < want) break;
        }
        EXPECT_FALSE(decoder->Failed()) << c.Name;
        EXPECT_TRUE(streamed == whole->Data)
            << c.Name << ": " << streamed.size() << " vs " << whole->Data.size();

        // A looping read runs through the seam into the first frames again; a plain one ends.
        ASSERT_TRUE(decoder->Rewind());
        const int extra = 1234;
        std::vector<uint8_t> looped((size_t(whole->Length) + extra) * frameBytes);
        EXPECT_EQ(Media::ReadFrames(*decoder, true, looped.data(), whole->Length + extra),
                  whole->Length + extra);
        EXPECT_TRUE(std::equal(whole->Data.begin(), whole->Data.end(), looped.begin())) << c.Name;
        EXPECT_TRUE(std::equal(whole->Data.begin(), whole->Data.begin() + std::ptrdiff_t(extra * frameBytes),
                               looped.begin() + std::ptrdiff_t(whole->Data.size())))
            << c.Name << ": the seam";
        ASSERT_TRUE(decoder->Rewind());
        EXPECT_EQ(Media::ReadFrames(*decoder, false, looped.data(), whole->Length + extra), whole->Length)
            << c.Name;
        EXPECT_EQ(Media::ReadFrames(*decoder, false, looped.data(), extra), 0) << c.Name;
    }
}

TEST_F(MediaTest, BrokenStreamsEndInsteadOfLoopingOrPlayingNoise) {
    // Cut inside the audio packets: the header opens, the decode breaks off and is reported.
    std::vector<uint8_t> cut = testsupport::OggTone(1, 8000, 40000);
    cut.resize(cut.size() * 2 / 3);
    for (size_t i = cut.size() / 2; i < cut.size(); i += 7)
        cut[i] = uint8_t(cut[i] ^ 0x5A);
    if (std::unique_ptr<Media::AudioDecoder> decoder = Media::OpenAudioDecoder(Shared(cut))) {
        std::vector<uint8_t> out(size_t(80000) * 2);
        const int got = Media::ReadFrames(*decoder, true, out.data(), 80000);
        EXPECT_LT(got, 80000) << "a broken stream is not looped round";
    }
    for (const std::vector<uint8_t>& bad : {std::vector<uint8_t>{}, std::vector<uint8_t>{'O', 'g', 'g', 'S'},
                                            std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0}})
        EXPECT_FALSE(Media::OpenAudioDecoder(Shared(bad)));
    EXPECT_FALSE(Media::OpenAudioDecoder(nullptr));
}

TEST_F(MediaTest, StreamedSoundsOpenFromTheHeaderAndRunOnTheClockHeadless) {
    const std::vector<uint8_t> bytes = testsupport::OggTone(2, 8000, 12000); // 1.5 s
    const std::string path = TempPath("music.ogg");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    Media::LoadedSoundRef streamed = Media::OpenSoundStream(path, Media::SOUND_LOOP);
    Media::LoadedSoundRef whole = Media::LoadSound(path, Media::SOUND_LOOP);
    ASSERT_TRUE(streamed && whole);
    EXPECT_TRUE(Media::IsStreamed(*streamed));
    EXPECT_FALSE(Media::IsStreamed(*whole));
    EXPECT_TRUE(streamed->Loops());
    EXPECT_EQ(streamed->Sample().Data.size(), bytes.size()) << "the file's bytes: nothing is decoded yet";
    EXPECT_EQ(streamed->Sample().Length, 12000);
    EXPECT_DOUBLE_EQ(streamed->Sample().DurationMs(), whole->Sample().DurationMs());
    EXPECT_FALSE(Media::OpenSoundStream(TempPath("absent.ogg"), 0));

    // Headless, a streamed sound's channel lives on the clock like any other.
    Media::AudioChannelRef channel = Media::CueSound(*Media::OpenSoundStream(path, 0));
    auto* virtualChannel = dynamic_cast<Media::VirtualChannel*>(channel.get());
    ASSERT_TRUE(virtualChannel);
    channel->SetPaused(0);
    Media::Headless::AdvanceClock(1499);
    EXPECT_EQ(channel->Playing(), 1);
    Media::Headless::AdvanceClock(1);
    EXPECT_EQ(channel->Playing(), 0);
}

} // namespace
