#include "audio/ogg_writer.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace assetgen {
namespace {

constexpr int kSerialNumber = 0x51534D55; // fixed: a random serial would change the bytes every run
constexpr long kBlock = 4096;             // frames handed to the encoder at a time

class Encoder {
public:
    Encoder(int channels, int sampleRate, float quality) {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, channels, sampleRate, quality) != 0) {
            vorbis_info_clear(&info_);
            throw std::runtime_error("vorbis encoder rejected the settings");
        }
        vorbis_comment_init(&comment_);
        vorbis_comment_add_tag(&comment_, "ENCODER", "quillstorm assetgen");
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, kSerialNumber);
    }
    ~Encoder() {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    std::string Encode(const std::vector<float>& samples, int channels) {
        ogg_packet header, commentHeader, codeHeader;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &commentHeader);
        ogg_stream_packetin(&stream_, &codeHeader);
        ogg_page page;
        // The headers must end their own page so that decoders find the audio on a fresh page.
        while (ogg_stream_flush(&stream_, &page) != 0)
            Append(page);

        const long frames = long(samples.size() / size_t(channels));
        for (long start = 0; start < frames; start += kBlock) {
            long n = std::min(kBlock, frames - start);
            float** buffer = vorbis_analysis_buffer(&dsp_, int(n));
            for (long i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = samples[size_t((start + i) * channels + c)];
            vorbis_analysis_wrote(&dsp_, int(n));
            Drain();
        }
        vorbis_analysis_wrote(&dsp_, 0);
        Drain();
        while (ogg_stream_flush(&stream_, &page) != 0)
            Append(page);
        return std::move(bytes_);
    }

private:
    void Append(const ogg_page& page) {
        bytes_.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
        bytes_.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
    }

    void Drain() {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
                ogg_stream_packetin(&stream_, &packet);
                while (ogg_stream_pageout(&stream_, &page) != 0)
                    Append(page);
            }
        }
    }

    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
    std::string bytes_;
};

// Reads the encoded bytes back through vorbisfile's callbacks.
struct MemoryReader {
    const std::string* bytes;
    size_t pos = 0;

    static size_t Read(void* out, size_t size, size_t count, void* self) {
        auto* r = static_cast<MemoryReader*>(self);
        size_t n = std::min(size * count, r->bytes->size() - r->pos);
        std::memcpy(out, r->bytes->data() + r->pos, n);
        r->pos += n;
        return size ? n / size : 0;
    }
    static int Seek(void* self, ogg_int64_t offset, int whence) {
        auto* r = static_cast<MemoryReader*>(self);
        ogg_int64_t base = whence == SEEK_SET   ? 0
                           : whence == SEEK_CUR ? ogg_int64_t(r->pos)
                                                : ogg_int64_t(r->bytes->size());
        ogg_int64_t to = base + offset;
        if (to < 0 || to > ogg_int64_t(r->bytes->size())) return -1;
        r->pos = size_t(to);
        return 0;
    }
    static long Tell(void* self) { return long(static_cast<MemoryReader*>(self)->pos); }
};

} // namespace

std::string EncodeOgg(const std::vector<float>& samples, int channels, int sampleRate, float quality) {
    if (channels < 1 || samples.size() % size_t(channels) != 0) throw std::runtime_error("bad sample layout");
    Encoder encoder(channels, sampleRate, quality);
    return encoder.Encode(samples, channels);
}

float DecodedPeak(const std::string& bytes) {
    MemoryReader reader{&bytes};
    ov_callbacks callbacks{&MemoryReader::Read, &MemoryReader::Seek, nullptr, &MemoryReader::Tell};
    OggVorbis_File file;
    if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0)
        throw std::runtime_error("encoded music does not decode");
    float peak = 0;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long n = ov_read_float(&file, &pcm, 4096, &section);
        if (n <= 0) break;
        const int channels = ov_info(&file, -1)->channels;
        for (int c = 0; c < channels; ++c)
            for (long i = 0; i < n; ++i)
                peak = std::max(peak, std::fabs(pcm[c][i]));
    }
    ov_clear(&file);
    return peak;
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path.string());
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path.string());
}

} // namespace assetgen
