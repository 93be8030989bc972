#pragma once
// Sound files made in the tests: WAV bytes written by hand and an Ogg Vorbis tone from vorbisenc.
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

// WAV bytes: RIFF (little-endian) or RIFX (big-endian) with PCM data of `frames` frames.
inline std::vector<uint8_t> WavBytes(int channels, int bits, bool bigEndian, int frames, uint32_t dataSizeClaim = 0) {
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (bigEndian ? 24 - 8 * i : 8 * i)));
    };
    auto u16 = [&](uint32_t v) {
        for (int i = 0; i < 2; ++i) out.push_back(uint8_t(v >> (bigEndian ? 8 - 8 * i : 8 * i)));
    };
    auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
    const uint32_t dataSize = uint32_t(frames * channels * bits / 8);
    tag(bigEndian ? "RIFX" : "RIFF");
    u32(4 + 8 + 16 + 8 + 6 + 8 + dataSize);
    tag("WAVE");
    tag("LIST"); // an unrelated chunk of odd size, padded
    u32(5);
    out.insert(out.end(), {'a', 'b', 'c', 'd', 'e', 0});
    tag("fmt ");
    u32(16);
    u16(1);
    u16(uint32_t(channels));
    u32(22050);
    u32(uint32_t(22050 * channels * bits / 8));
    u16(uint32_t(channels * bits / 8));
    u16(uint32_t(bits));
    tag("data");
    u32(dataSizeClaim ? dataSizeClaim : dataSize);
    for (uint32_t i = 0; i < dataSize; ++i) out.push_back(uint8_t(i * 7));
    return out;
}

// A 440 Hz tone as Ogg Vorbis, made with vorbisenc (by default a second at 8 kHz).
inline std::vector<uint8_t> OggTone(int channels, int rate = 8000, int frames = 8000) {
    vorbis_info info;
    vorbis_info_init(&info);
    EXPECT_EQ(vorbis_encode_init_vbr(&info, channels, rate, 0.4f), 0);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    std::vector<uint8_t> out;
    auto writePage = [&](const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, commentPacket, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentPacket);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page)) writePage(page);
    float** buffer = vorbis_analysis_buffer(&dsp, frames);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            buffer[c][i] = 0.5f * std::sin(float(i) * 2 * 3.14159265f * 440 / float(rate));
    vorbis_analysis_wrote(&dsp, frames);
    vorbis_analysis_wrote(&dsp, 0);
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page)) writePage(page);
        }
    }
    while (ogg_stream_flush(&stream, &page)) writePage(page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

