#include "media/sdl/texture_bleed.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Media {
namespace {

// Rings spread from the visible texels; filtering needs one, each mip level about one more. Texels
// farther out take the average visible colour, which keeps large empty areas cheap.
constexpr int BLEED_RINGS = 8;

// One bit per texel, 64 texels to a word, row by row: bit x % 64 of word x / 64 of the row. Rings
// are found a word at a time, so empty and solid areas cost almost nothing.
class TexelBits {
public:
    TexelBits(int w, int h)
        : w_(w), h_(h), words_((size_t(w) + 63) / 64), bits_(words_ * size_t(h), 0), rowSet_(size_t(h), 0) {}
    uint64_t* Row(int y) { return &bits_[size_t(y) * words_]; }
    const uint64_t* Row(int y) const { return &bits_[size_t(y) * words_]; }
    size_t Words() const { return words_; }
    // The bits of the row's last word that are texels.
    uint64_t LastWordMask() const { return w_ % 64 == 0 ? ~uint64_t(0) : (uint64_t(1) << (w_ % 64)) - 1; }
    // Whether row y has a set bit, as of the last Note (y).
    bool RowSet(int y) const { return rowSet_[size_t(y)] != 0; }
    void Note(int y) {
        uint64_t any = 0;
        for (size_t i = 0; i < words_; ++i)
            any |= Row(y)[i];
        rowSet_[size_t(y)] = any != 0;
    }
    // Into `out`, the texels not set in `exclude` that have a texel set here among their eight
    // neighbours. Each set word spreads into the words around it, so sparse rows cost little.
    void Grow(const TexelBits& exclude, TexelBits& out) const {
        std::fill(out.bits_.begin(), out.bits_.end(), 0);
        for (int y = 0; y < h_; ++y) {
            if (!RowSet(y)) continue;
            const uint64_t* row = Row(y);
            const int y0 = y > 0 ? y - 1 : 0, y1 = y + 1 < h_ ? y + 1 : y;
            for (size_t i = 0; i < words_; ++i) {
                const uint64_t bits = row[i];
                if (bits == 0) continue;
                const uint64_t spread = bits | bits << 1 | bits >> 1;
                for (int ny = y0; ny <= y1; ++ny) {
                    uint64_t* to = out.Row(ny);
                    to[i] |= spread;
                    if (i > 0) to[i - 1] |= bits << 63;
                    if (i + 1 < words_) to[i + 1] |= bits >> 63;
                }
            }
        }
        for (int y = 0; y < h_; ++y) {
            uint64_t* to = out.Row(y);
            const uint64_t* taken = exclude.Row(y);
            to[words_ - 1] &= LastWordMask();
            uint64_t any = 0;
            for (size_t i = 0; i < words_; ++i) {
                to[i] &= ~taken[i];
                any |= to[i];
            }
            out.rowSet_[size_t(y)] = any != 0;
        }
    }

private:
    int w_, h_;
    size_t words_;
    std::vector<uint64_t> bits_;
    std::vector<uint8_t> rowSet_;
};

// (sum + n / 2) / n for n of 1 to 8 and sum up to 8 * 255, as a multiply instead of a division
// per channel. The reciprocals are exact over that range; the bleed's tests compare it with one
// written with divisions.
constexpr uint32_t RECIPROCAL[9] = {0, 65536, 32768, 21846, 16384, 13108, 10923, 9363, 8192};
uint8_t RoundedAverage(unsigned sum, unsigned n) {
    return uint8_t((sum + n / 2) * RECIPROCAL[n] >> 16);
}

#if defined(__SSE2__)
constexpr uint8_t BITS_SET[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
#endif

// Marks the texels of alpha above 0 in `coloured` and adds up their colours; returns how many
// there are.
size_t FindVisible(const PixelMap& rgba, TexelBits& coloured, uint64_t (&sum)[3]) {
    const int w = rgba.Width;
    size_t visible = 0;
    for (int y = 0; y < rgba.Height; ++y) {
        const uint8_t* px = rgba.At(0, y);
        uint64_t* bits = coloured.Row(y);
        int x = 0;
#if defined(__SSE2__)
        // Four texels at a time: a mask of the visible ones picks their colours, and each
        // channel, alone in its byte, is summed with a sum of absolute differences from zero.
        const __m128i alphas = _mm_set1_epi32(int(0xFF000000u));
        const __m128i channel[3] = {_mm_set1_epi32(0xFF), _mm_set1_epi32(0xFF00), _mm_set1_epi32(0xFF0000)};
        const __m128i zero = _mm_setzero_si128();
        __m128i sums[3] = {zero, zero, zero};
        for (; x + 4 <= w; x += 4) {
            const __m128i texels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + size_t(x) * 4));
            const __m128i clear = _mm_cmpeq_epi32(_mm_and_si128(texels, alphas), zero);
            const __m128i shown = _mm_andnot_si128(clear, texels);
            sums[0] = _mm_add_epi64(sums[0], _mm_sad_epu8(_mm_and_si128(shown, channel[0]), zero));
            sums[1] = _mm_add_epi64(sums[1], _mm_sad_epu8(_mm_and_si128(shown, channel[1]), zero));
            sums[2] = _mm_add_epi64(sums[2], _mm_sad_epu8(_mm_and_si128(shown, channel[2]), zero));
            const unsigned on = ~unsigned(_mm_movemask_ps(_mm_castsi128_ps(clear))) & 0xF;
            bits[size_t(x) / 64] |= uint64_t(on) << (x % 64); // x % 4 == 0: the four share a word
            visible += BITS_SET[on];
        }
        for (int c = 0; c < 3; ++c) {
            uint64_t halves[2];
            _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), sums[c]);
            sum[c] += halves[0] + halves[1];
        }
#endif
        for (; x < w; ++x) {
            const uint8_t* p = px + size_t(x) * 4;
            if (p[3] == 0) continue;
            bits[size_t(x) / 64] |= uint64_t(1) << (x % 64);
            sum[0] += p[0];
            sum[1] += p[1];
            sum[2] += p[2];
            ++visible;
        }
        coloured.Note(y);
    }
    return visible;
}

} // namespace

void BleedTransparentColours(PixelMap& rgba) {
    const int w = rgba.Width;
    const int h = rgba.Height;
    if (rgba.PixelFormat != PixelMap::Format::RGBA || w <= 0 || h <= 0) return;
    const size_t count = size_t(w) * size_t(h);
    if (rgba.Pixels.size() < count * 4) return;

    TexelBits coloured(w, h);
    uint64_t sum[3] = {0, 0, 0};
    const size_t visible = FindVisible(rgba, coloured, sum);
    if (visible == 0 || visible == count) return;

    // Each ring lies next to the one before (a texel that touched an older colour would have been
    // in an older ring), so after the first it grows from the last ring alone, which is sparse.
    TexelBits ring(w, h), next(w, h);
    coloured.Grow(coloured, ring);
    for (int r = 0; r < BLEED_RINGS; ++r) {
        bool any = false;
        // A ring's colours come from older rings only: its own texels are not yet marked
        // coloured, so writing each colour at once cannot reach another texel of the ring, and
        // the result does not depend on the scan order.
        for (int y = 0; y < h; ++y) {
            if (!ring.RowSet(y)) continue;
            any = true;
            const uint64_t* members = ring.Row(y);
            // The rows around this one: their texels and their coloured bits.
            const int ny0 = y > 0 ? y - 1 : 0, rows = (y + 1 < h ? y + 1 : y) - ny0 + 1;
            const uint8_t* line[3];
            const uint64_t* near[3];
            for (int k = 0; k < rows; ++k) {
                line[k] = rgba.At(0, ny0 + k);
                near[k] = coloured.Row(ny0 + k);
            }
            uint8_t* own = rgba.At(0, y);
            for (size_t i = 0; i < ring.Words(); ++i) {
                if (members[i] == 0) continue;
                // Each row's word, and the bits just beyond its ends (0 beyond the row's ends).
                uint64_t word[3], before[3], after[3];
                for (int k = 0; k < rows; ++k) {
                    word[k] = near[k][i];
                    before[k] = i > 0 ? near[k][i - 1] >> 63 : 0;
                    after[k] = i + 1 < ring.Words() ? near[k][i + 1] & 1 : 0;
                }
                for (uint64_t bits = members[i]; bits != 0; bits &= bits - 1) {
                    const int b = __builtin_ctzll(bits);
                    const int x = int(i * 64) + b;
                    unsigned ringSum[3] = {0, 0, 0};
                    unsigned n = 0;
                    for (int k = 0; k < rows; ++k) {
                        // Bits x - 1, x and x + 1 as bits 0, 1 and 2.
                        const uint64_t three = b == 0    ? (word[k] << 1 | before[k]) & 7
                                               : b == 63 ? word[k] >> 62 | after[k] << 2
                                                         : word[k] >> (b - 1) & 7;
                        for (uint64_t set = three; set != 0; set &= set - 1) {
                            const uint8_t* p = line[k] + size_t(x - 1 + __builtin_ctzll(set)) * 4;
                            ringSum[0] += p[0];
                            ringSum[1] += p[1];
                            ringSum[2] += p[2];
                            ++n;
                        }
                    }
                    uint8_t* p = own + size_t(x) * 4;
                    for (int c = 0; c < 3; ++c)
                        p[c] = RoundedAverage(ringSum[c], n);
                }
            }
        }
        if (!any) break;
        for (int y = 0; y < h; ++y) {
            if (!ring.RowSet(y)) continue;
            uint64_t* row = coloured.Row(y);
            const uint64_t* members = ring.Row(y);
            for (size_t i = 0; i < ring.Words(); ++i)
                row[i] |= members[i];
            coloured.Note(y);
        }
        if (r + 1 < BLEED_RINGS) {
            ring.Grow(coloured, next);
            std::swap(ring, next);
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
