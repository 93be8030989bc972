// Pixel maps: loading, creation, grey conversion, alpha relabelling and pasting.
#include <algorithm>
#include <utility>

#include "media/image_codec.h"
#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {
bool Complete(const PixelMap& map) {
    return map.Width >= 0 && map.Height >= 0 &&
           map.Pixels.size() >= size_t(map.Width) * size_t(map.Height) * size_t(map.Channels());
}
} // namespace

PixelMapRef Internal::ReadPictureFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) return nullptr;
    return DecodePicture(bytes);
}

PixelMapRef LoadPixmap(const std::string& path) {
    Internal::PrefetchedPicture prefetched;
    if (Internal::TakePrefetchedPicture(path, prefetched))
        return Internal::PixmapOf(std::move(prefetched), path);
    return Internal::ReadPictureFile(path);
}

PixelMapRef CreatePixmap(int width, int height) {
    if (width <= 0 || height <= 0 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE) return nullptr;
    auto map = std::make_shared<PixelMap>();
    map->Width = width;
    map->Height = height;
    map->Pixels.assign(size_t(width) * size_t(height) * 4, 0);
    return map;
}

PixelMapRef ConvertPixmapToGrey(const PixelMap& map) {
    if (!Complete(map)) return nullptr;
    auto grey = std::make_shared<PixelMap>();
    grey->Width = map.Width;
    grey->Height = map.Height;
    grey->PixelFormat = PixelMap::Format::Grey;
    const size_t count = size_t(map.Width) * size_t(map.Height);
    grey->Pixels.resize(count);
    if (map.PixelFormat != PixelMap::Format::RGBA) {
        std::copy_n(map.Pixels.begin(), count, grey->Pixels.begin());
        return grey;
    }
    const uint8_t* in = map.Pixels.data();
    uint8_t* out = grey->Pixels.data();
    for (size_t i = 0; i < count; ++i) {
        // Rec. 601 luma in fixed point (weights sum to 1000), rounded: (v + 500) / 1000. The
        // quotient is estimated in single precision (off by at most one) and corrected, which,
        // unlike the division, the compiler turns into vector code.
        const int32_t v = 299 * in[i * 4] + 587 * in[i * 4 + 1] + 114 * in[i * 4 + 2] + 500;
        int32_t q = int32_t(float(v) * 0.001f);
        const int32_t rest = v - q * 1000;
        q += int32_t(rest >= 1000) - int32_t(rest < 0);
        out[i] = uint8_t(q);
    }
    return grey;
}

void RelabelGreyAsAlpha(PixelMap& map) {
    if (map.PixelFormat == PixelMap::Format::Grey) map.PixelFormat = PixelMap::Format::Alpha;
}

void PastePixmap(PixelMap& dst, const PixelMap& src, int x, int y) {
    if (dst.PixelFormat != PixelMap::Format::RGBA || !Complete(dst) || !Complete(src)) return;
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(dst.Width, x + src.Width), y1 = std::min(dst.Height, y + src.Height);
    if (x0 >= x1) return;
    const size_t step = size_t(src.Channels());
    for (int dy = y0; dy < y1; ++dy) {
        const uint8_t* s = src.At(x0 - x, dy - y);
        uint8_t* d = dst.At(x0, dy);
        for (int dx = x0; dx < x1; ++dx, s += step, d += 4) {
            uint8_t rgba[4] = {0, 0, 0, 0};
            switch (src.PixelFormat) {
            case PixelMap::Format::RGBA:
                std::copy_n(s, 4, rgba);
                break;
            case PixelMap::Format::Grey:
                rgba[0] = rgba[1] = rgba[2] = s[0], rgba[3] = 255;
                break;
            case PixelMap::Format::Alpha:
                rgba[0] = rgba[1] = rgba[2] = 255, rgba[3] = s[0];
                break;
            }
            const int as = rgba[3], ad = d[3];
            // Over nothing, or opaque, the source itself is the blend below, exactly: the common
            // case of a picture assembled from pieces, at a fraction of the cost of dividing.
            if (ad == 0 || as == 255) {
                if (as == 0)
                    d[0] = d[1] = d[2] = d[3] = 0;
                else
                    std::copy_n(rgba, 4, d);
                continue;
            }
            // Straight-alpha "over": out = src·as + dst·ad·(1 − as), divided by the new alpha.
            const int dstWeight = ad * (255 - as);        // scaled by 255²
            const int outAlpha255 = as * 255 + dstWeight; // alpha × 255²
            if (outAlpha255 == 0) {
                d[0] = d[1] = d[2] = d[3] = 0;
                continue;
            }
            for (int c = 0; c < 3; ++c)
                d[c] = uint8_t((rgba[c] * as * 255 + d[c] * dstWeight + outAlpha255 / 2) / outAlpha255);
            d[3] = uint8_t((outAlpha255 + 127) / 255);
        }
    }
}

} // namespace Media
