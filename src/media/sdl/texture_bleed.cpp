#include "media/sdl/texture_bleed.h"

#include <cstdint>
#include <vector>

namespace Media {
namespace {

// Rings spread from the visible texels; filtering needs one, each mip level about one more. Texels
// farther out take the average visible colour, which keeps large empty areas cheap.
constexpr int BLEED_RINGS = 8;

// One bit per texel, 64 texels to a word, row by row: bit x % 64 of word x / 64 of the row. A
// ring is found a row of words at a time, so empty and solid areas cost almost nothing.
class TexelBits {
public:
    TexelBits(int w, int h) : w_(w), h_(h), words_((size_t(w) + 63) / 64), bits_(words_ * size_t(h), 0) {}
    bool Get(int x, int y) const { return (Row(y)[size_t(x) / 64] >> (x % 64) & 1) != 0; }
    void Set(int x, int y) { Row(y)[size_t(x) / 64] |= uint64_t(1) << (x % 64); }
    uint64_t* Row(int y) { return &bits_[size_t(y) * words_]; }
    const uint64_t* Row(int y) const { return &bits_[size_t(y) * words_]; }
    size_t Words() const { return words_; }
    // The bits of the row's last word that are texels.
    uint64_t LastWordMask() const { return w_ % 64 == 0 ? ~uint64_t(0) : (uint64_t(1) << (w_ % 64)) - 1; }

    // Texels that are not set but have a set texel among their eight neighbours, into `ring`.
    void Border(TexelBits& ring) const {
        for (int y = 0; y < h_; ++y) {
            uint64_t* out = ring.Row(y);
            for (size_t i = 0; i < words_; ++i) {
                uint64_t near = 0;
                for (int ny = (y > 0 ? y - 1 : 0); ny <= (y + 1 < h_ ? y + 1 : y); ++ny) {
                    const uint64_t* row = Row(ny);
                    const uint64_t left = i > 0 ? row[i - 1] >> 63 : 0;
                    const uint64_t right = i + 1 < words_ ? row[i + 1] << 63 : 0;
                    near |= row[i] | row[i] << 1 | left | row[i] >> 1 | right;
                }
                out[i] = near & ~Row(y)[i];
            }
            out[words_ - 1] &= LastWordMask();
        }
    }

private:
    int w_, h_;
    size_t words_;
    std::vector<uint64_t> bits_;
};

struct Texel {
    int X, Y;
};

} // namespace

void BleedTransparentColours(PixelMap& rgba) {
    const int w = rgba.Width;
    const int h = rgba.Height;
    if (rgba.PixelFormat != PixelMap::Format::RGBA || w <= 0 || h <= 0) return;
    const size_t count = size_t(w) * size_t(h);
    if (rgba.Pixels.size() < count * 4) return;

    TexelBits coloured(w, h);
    uint64_t sum[3] = {0, 0, 0};
    size_t visible = 0;
    for (int y = 0; y < h; ++y) {
        const uint8_t* px = rgba.At(0, y);
        for (int x = 0; x < w; ++x, px += 4) {
            if (px[3] == 0) continue;
            coloured.Set(x, y);
            sum[0] += px[0];
            sum[1] += px[1];
            sum[2] += px[2];
            ++visible;
        }
    }
    if (visible == 0 || visible == count) return;

    TexelBits ring(w, h);
    std::vector<Texel> members;
    std::vector<uint8_t> colours;
    for (int r = 0; r < BLEED_RINGS; ++r) {
        coloured.Border(ring);
        members.clear();
        for (int y = 0; y < h; ++y) {
            const uint64_t* row = ring.Row(y);
            for (size_t i = 0; i < ring.Words(); ++i) {
                for (uint64_t bits = row[i]; bits != 0; bits &= bits - 1)
                    members.push_back({int(i * 64) + __builtin_ctzll(bits), y});
            }
        }
        if (members.empty()) break;
        // A ring's colours come from earlier rings only and are committed together, so the
        // result does not depend on the scan order.
        colours.resize(members.size() * 3);
        for (size_t k = 0; k < members.size(); ++k) {
            const int x = members[k].X, y = members[k].Y;
            unsigned ringSum[3] = {0, 0, 0};
            unsigned n = 0;
            for (int ny = (y > 0 ? y - 1 : 0); ny <= (y + 1 < h ? y + 1 : y); ++ny) {
                for (int nx = (x > 0 ? x - 1 : 0); nx <= (x + 1 < w ? x + 1 : x); ++nx) {
                    if (!coloured.Get(nx, ny)) continue;
                    const uint8_t* p = rgba.At(nx, ny);
                    ringSum[0] += p[0];
                    ringSum[1] += p[1];
                    ringSum[2] += p[2];
                    ++n;
                }
            }
            for (int c = 0; c < 3; ++c)
                colours[k * 3 + size_t(c)] = uint8_t((ringSum[c] + n / 2) / n);
        }
        for (size_t k = 0; k < members.size(); ++k) {
            uint8_t* p = rgba.At(members[k].X, members[k].Y);
            for (int c = 0; c < 3; ++c)
                p[c] = colours[k * 3 + size_t(c)];
            coloured.Set(members[k].X, members[k].Y);
        }
    }

    uint8_t average[3];
    for (int c = 0; c < 3; ++c)
        average[c] = uint8_t((sum[c] + visible / 2) / visible);
    for (int y = 0; y < h; ++y) {
        const uint64_t* row = coloured.Row(y);
        for (size_t i = 0; i < coloured.Words(); ++i) {
            uint64_t missing = ~row[i];
            if (i + 1 == coloured.Words()) missing &= coloured.LastWordMask();
            for (; missing != 0; missing &= missing - 1) {
                uint8_t* p = rgba.At(int(i * 64) + __builtin_ctzll(missing), y);
                p[0] = average[0];
                p[1] = average[1];
                p[2] = average[2];
            }
        }
    }
}

} // namespace Media
