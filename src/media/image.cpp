// Images: frames cut from a sheet, masked by colour, with solid masks for the collision tests and
// one back-end texture holding all frames.
#include <algorithm>
#include <cmath>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "media/image_codec.h"
#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

// Images whose pixels take at least this many bytes have them freed on a worker thread.
constexpr size_t BIG_PICTURE_BYTES = size_t(1) << 20;

// Frames of a multi-frame texture are separated by this many texels copied from their own edges,
// so filtering never blends a frame with its neighbour.
constexpr int GUTTER = 2;

PixelMap ToRgba(const PixelMap& map) {
    if (map.PixelFormat == PixelMap::Format::RGBA) return map;
    PixelMap rgba;
    rgba.Width = map.Width;
    rgba.Height = map.Height;
    const size_t count = size_t(map.Width) * size_t(map.Height);
    rgba.Pixels.resize(count * 4);
    const bool alpha = map.PixelFormat == PixelMap::Format::Alpha;
    // Separate loops without a branch inside, which the compiler turns into vector code.
    uint8_t* out = rgba.Pixels.data();
    const uint8_t* in = map.Pixels.data();
    if (alpha) {
        for (size_t i = 0; i < count; ++i) {
            out[i * 4] = out[i * 4 + 1] = out[i * 4 + 2] = 255;
            out[i * 4 + 3] = in[i];
        }
    } else {
        for (size_t i = 0; i < count; ++i) {
            out[i * 4] = out[i * 4 + 1] = out[i * 4 + 2] = in[i];
            out[i * 4 + 3] = 255;
        }
    }
    return rgba;
}

std::vector<uint64_t> BuildSolidMask(const PixelMap& frame) {
    const int words = (frame.Width + 63) / 64;
    std::vector<uint64_t> mask(size_t(words) * size_t(frame.Height));
    for (int y = 0; y < frame.Height; ++y) {
        const uint8_t* alpha = frame.At(0, y) + 3;
        uint64_t* row = &mask[size_t(y) * size_t(words)];
        // Word by word, so that each word is written once.
        for (int w = 0; w < words; ++w) {
            const int x0 = w * 64, bits = std::min(64, frame.Width - x0);
            uint64_t word = 0;
            int b = 0;
#if defined(__SSE2__)
            // A texel is solid when the top bit of its alpha is set (SOLID_ALPHA is 128): the sign
            // bit of the texel read as a float, four texels at a time.
            static_assert(SOLID_ALPHA == 128);
            for (; b + 4 <= bits; b += 4) {
                const __m128i texels =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(alpha - 3 + size_t(x0 + b) * 4));
                word |= uint64_t(_mm_movemask_ps(_mm_castsi128_ps(texels))) << b;
            }
#endif
            for (; b < bits; ++b)
                word |= uint64_t(alpha[size_t(x0 + b) * 4] >= SOLID_ALPHA) << b;
            row[w] = word;
        }
    }
    return mask;
}

// Texels of alpha 0 within this distance of a visible one are still drawn: filtering (and the
// smaller mip levels, for pictures drawn at down to about a third of their size) blends them in.
constexpr int VISIBLE_MARGIN = 4;

// Finds the rectangle of the frame that holds its visible texels (see TextureRegion) and whether
// every texel is opaque; `region`'s texture coordinates must be set.
void FindVisibleRect(const PixelMap& frame, Image::TextureRegion& region) {
    int x0 = frame.Width, y0 = frame.Height, x1 = 0, y1 = 0;
    bool opaque = true;
    for (int y = 0; y < frame.Height; ++y) {
        const uint8_t* p = frame.At(0, y);
        auto alpha = [p](int x) { return p[size_t(x) * 4 + 3]; };
        int first = -1, last = -1;
        if (opaque) {
            for (int x = 0; x < frame.Width && opaque; ++x)
                opaque = alpha(x) == 255;
        }
        if (opaque) {
            first = 0, last = frame.Width - 1;
        } else {
            // Only the row's ends matter once a texel is not opaque: scanned from each side.
            first = 0;
            while (first < frame.Width && alpha(first) == 0)
                ++first;
            if (first == frame.Width) continue;
            last = frame.Width - 1;
            while (alpha(last) == 0)
                --last;
        }
        x0 = std::min(x0, first);
        x1 = std::max(x1, last + 1);
        y0 = std::min(y0, y);
        y1 = y + 1;
    }
    region.Opaque = opaque;
    if (x0 >= x1) { // nothing visible
        region.VisibleX0 = region.VisibleX1 = region.VisibleY0 = region.VisibleY1 = 0;
        return;
    }
    x0 = std::max(x0 - VISIBLE_MARGIN, 0);
    y0 = std::max(y0 - VISIBLE_MARGIN, 0);
    x1 = std::min(x1 + VISIBLE_MARGIN, frame.Width);
    y1 = std::min(y1 + VISIBLE_MARGIN, frame.Height);
    const float du = (region.U1 - region.U0) / float(frame.Width);
    const float dv = (region.V1 - region.V0) / float(frame.Height);
    region.VisibleX0 = float(x0);
    region.VisibleY0 = float(y0);
    region.VisibleX1 = float(x1);
    region.VisibleY1 = float(y1);
    region.VisibleU0 = x0 == 0 ? region.U0 : region.U0 + du * float(x0);
    region.VisibleV0 = y0 == 0 ? region.V0 : region.V0 + dv * float(y0);
    region.VisibleU1 = x1 == frame.Width ? region.U1 : region.U0 + du * float(x1);
    region.VisibleV1 = y1 == frame.Height ? region.V1 : region.V0 + dv * float(y1);
}

// Lays the frames out in a near-square grid; a single frame is uploaded as it is.
PixelMap BuildAtlas(const std::vector<PixelMap>& frames, int w, int h,
                    std::vector<Image::TextureRegion>& regions) {
    const int count = int(frames.size());
    if (count == 1) {
        regions.assign(1, Image::TextureRegion{});
        return frames[0];
    }
    const int columns = int(std::ceil(std::sqrt(double(count))));
    const int rows = (count + columns - 1) / columns;
    const int cellW = w + 2 * GUTTER, cellH = h + 2 * GUTTER;
    PixelMap atlas;
    atlas.Width = columns * cellW;
    atlas.Height = rows * cellH;
    // Written row by row from the start, so that no byte is written twice: filling a fresh sheet
    // of this size with zeros first costs as much as the copy.
    std::vector<uint8_t>& out = atlas.Pixels;
    out.reserve(size_t(atlas.Width) * size_t(atlas.Height) * 4);
    for (int y = 0; y < atlas.Height; ++y) {
        const int cellRow = y / cellH, inCell = y % cellH;
        for (int column = 0; column < columns; ++column) {
            const int i = cellRow * columns + column;
            if (i >= count) { // the grid's cells after the last frame stay transparent
                out.insert(out.end(), size_t(cellW) * 4, 0);
                continue;
            }
            // The frame's row (the nearest one in the gutters above and below) with its first and
            // last texels repeated across the gutters at the sides.
            const uint8_t* source = frames[size_t(i)].At(0, std::clamp(inCell - GUTTER, 0, h - 1));
            for (int g = 0; g < GUTTER; ++g)
                out.insert(out.end(), source, source + 4);
            out.insert(out.end(), source, source + size_t(w) * 4);
            for (int g = 0; g < GUTTER; ++g)
                out.insert(out.end(), source + size_t(w - 1) * 4, source + size_t(w) * 4);
        }
    }
    regions.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int left = i % columns * cellW, top = i / columns * cellH;
        Image::TextureRegion& region = regions[size_t(i)];
        region.U0 = float(left + GUTTER) / float(atlas.Width);
        region.V0 = float(top + GUTTER) / float(atlas.Height);
        region.U1 = float(left + GUTTER + w) / float(atlas.Width);
        region.V1 = float(top + GUTTER + h) / float(atlas.Height);
    }
    return atlas;
}

} // namespace

Image::~Image() {
    if (generation_ == Internal::BackendGeneration()) {
        // A picture freed after it was drawn in this frame is still drawn.
        for (uint32_t texture : textures_) {
            Internal::FlushDrawsOf(texture);
            CurrentBackend().DestroyTexture(texture);
        }
    }
    // Freeing the pixels of a screen's worth of big pictures (the credits) costs milliseconds.
    if (whiteLight_.Width > 0) framePixels_.push_back(std::move(whiteLight_)); // freed with the frames
    size_t bytes = 0;
    for (const PixelMap& frame : framePixels_)
        bytes += frame.Pixels.size();
    if (bytes >= BIG_PICTURE_BYTES) Internal::FreeOnWorker(std::move(framePixels_));
}

void Image::SetHandle(float x, float y) {
    handleX_ = x;
    handleY_ = y;
}

uint32_t Image::ReadPixel(int frame, int x, int y) const {
    if (frame < 0 || frame >= frames_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const uint8_t* p = framePixels_[size_t(frame)].At(x, y);
    return uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | uint32_t(p[2]);
}

uint8_t Image::Alpha(int frame, int x, int y) const {
    return uint8_t(ReadPixel(frame, x, y) >> 24);
}

std::shared_ptr<Image> Image::FromSheet(const PixelMap& sheet, int cellW, int cellH, int first, int count,
                                        int flags) {
    if (flags < 0) flags = GetDefaultImageFlags();
    int mask[3];
    GetMaskColor(mask[0], mask[1], mask[2]);
    Internal::ImageParts parts =
        Internal::CutSheet(sheet, cellW, cellH, first, count, (flags & MASKEDIMAGE) != 0 ? mask : nullptr);
    if (parts.Width == 0) return nullptr;
    return FromParts(std::move(parts), flags);
}

Internal::ImageParts Internal::CutSheet(const PixelMap& sheet, int cellW, int cellH, int first, int count,
                                        const int* maskRgb) {
    ImageParts parts;
    if (cellW <= 0 || cellH <= 0 || first < 0 || count <= 0 || sheet.Width <= 0 || sheet.Height <= 0)
        return parts;
    if (sheet.Pixels.size() < size_t(sheet.Width) * size_t(sheet.Height) * size_t(sheet.Channels()))
        return parts;
    const int perRow = sheet.Width / cellW;
    const long long cells = (long long)perRow * (sheet.Height / cellH);
    if ((long long)first + count > cells) return parts;

    // A whole picture as one frame is copied, or converted, straight into its frame. Cut into
    // cells, decoded pictures are RGBA already and are read in place; only grey and alpha maps are
    // converted first.
    const bool whole = count == 1 && cellW == sheet.Width && cellH == sheet.Height;
    const bool isRgba = sheet.PixelFormat == PixelMap::Format::RGBA;
    PixelMap converted;
    if (!isRgba && !whole) converted = ToRgba(sheet);
    const PixelMap& rgba = isRgba ? sheet : converted;

    parts.Width = cellW;
    parts.Height = cellH;
    parts.FramePixels.resize(size_t(count));
    parts.Masks.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int cell = first + i;
        const int left = cell % perRow * cellW, top = cell / perRow * cellH;
        PixelMap& frame = parts.FramePixels[size_t(i)];
        if (whole) {
            frame = isRgba ? sheet : ToRgba(sheet);
            frame.Pixels.resize(size_t(cellW) * size_t(cellH) * 4); // past the picture: not copied
        } else {
            frame.Width = cellW;
            frame.Height = cellH;
            frame.Pixels.reserve(size_t(cellW) * size_t(cellH) * 4); // filled once, not zeroed first
            for (int y = 0; y < cellH; ++y) {
                const uint8_t* row = rgba.At(left, top + y);
                frame.Pixels.insert(frame.Pixels.end(), row, row + size_t(cellW) * 4);
            }
        }
        if (maskRgb) {
            for (size_t p = 0; p < frame.Pixels.size(); p += 4) {
                uint8_t* px = &frame.Pixels[p];
                if (px[0] == maskRgb[0] && px[1] == maskRgb[1] && px[2] == maskRgb[2])
                    px[0] = px[1] = px[2] = px[3] = 0;
            }
        }
        parts.Masks[size_t(i)] = BuildSolidMask(frame);
    }
    parts.Atlas = BuildAtlas(parts.FramePixels, cellW, cellH, parts.Regions);
    for (int i = 0; i < count; ++i)
        FindVisibleRect(parts.FramePixels[size_t(i)], parts.Regions[size_t(i)]);
    return parts;
}

std::shared_ptr<Image> Image::FromParts(Internal::ImageParts parts, int flags) {
    std::shared_ptr<Image> image(new Image());
    image->width_ = parts.Width;
    image->height_ = parts.Height;
    image->frames_ = int(parts.FramePixels.size());
    image->flags_ = flags;
    if (GetAutoMidHandle()) image->SetHandle(float(parts.Width) * 0.5f, float(parts.Height) * 0.5f);
    image->framePixels_ = std::move(parts.FramePixels);
    image->whiteLight_ = std::move(parts.WhiteLight);
    image->masks_ = std::move(parts.Masks);
    image->regions_ = std::move(parts.Regions);
    const uint32_t texture = CurrentBackend().CreateTexture(std::move(parts.Atlas), flags);
    image->generation_ = Internal::BackendGeneration();
    if (texture != 0) image->textures_.push_back(texture);
    for (TextureRegion& region : image->regions_)
        region.Texture = texture;
    return image;
}

PixelMap Internal::AlphaOfWhiteLight(const PixelMap& rgba) {
    PixelMap alpha;
    const size_t texels = size_t(rgba.Width) * size_t(rgba.Height);
    if (rgba.PixelFormat != PixelMap::Format::RGBA || texels == 0 || rgba.Pixels.size() != texels * 4)
        return alpha;
    const uint8_t* p = rgba.Pixels.data();
    for (size_t i = 0; i < texels; ++i, p += 4)
        if (p[0] != p[3] || p[1] != p[3] || p[2] != p[3]) return alpha;
    alpha.Width = rgba.Width;
    alpha.Height = rgba.Height;
    alpha.PixelFormat = PixelMap::Format::Alpha;
    alpha.Pixels.resize(texels);
    p = rgba.Pixels.data();
    for (size_t i = 0; i < texels; ++i)
        alpha.Pixels[i] = p[i * 4 + 3];
    return alpha;
}

Internal::ImageParts Internal::PrepareWholeImage(PixelMap&& rgba) {
    ImageParts parts;
    parts.Width = rgba.Width;
    parts.Height = rgba.Height;
    parts.Masks.push_back(BuildSolidMask(rgba));
    parts.Regions.assign(1, Image::TextureRegion{});
    FindVisibleRect(rgba, parts.Regions[0]);
    parts.Atlas = rgba;
    parts.FramePixels.push_back(std::move(rgba));
    return parts;
}

bool Internal::PrefetchedPicture::PreparedAs(int cellW, int cellH, int first, int count) const {
    if (!Prepared) return false;
    if (Count == 0) return first == 0 && count == 1 && cellW == Prepared->Width && cellH == Prepared->Height;
    return cellW == CellW && cellH == CellH && first == First && count == Count;
}

ImageRef LoadImage(const std::string& path, int flags) {
    if (flags < 0) flags = GetDefaultImageFlags();
    Internal::PrefetchedPicture prefetched;
    PixelMapRef map;
    if (Internal::TakePrefetchedPicture(path, prefetched)) {
        // Unmasked, a whole picture is what the worker prepared; masking needs the mask colour
        // of now.
        if (prefetched.Prepared && prefetched.Count == 0 && (flags & MASKEDIMAGE) == 0)
            return Image::FromParts(std::move(*prefetched.Prepared), flags);
        map = Internal::PixmapOf(std::move(prefetched), path);
    } else {
        map = Internal::ReadPictureFile(path);
    }
    if (!map) return nullptr;
    return Image::FromSheet(*map, map->Width, map->Height, 0, 1, flags);
}

ImageRef LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count, int flags) {
    if (flags < 0) flags = GetDefaultImageFlags();
    Internal::PrefetchedPicture prefetched;
    PixelMapRef map;
    if (Internal::TakePrefetchedPicture(path, prefetched)) {
        if (prefetched.Prepared && (flags & MASKEDIMAGE) == 0) {
            if (prefetched.PreparedAs(cellW, cellH, first, count))
                return Image::FromParts(std::move(*prefetched.Prepared), flags);
            // A sheet cut ahead into other cells says so when its file is read again.
            if (prefetched.Count == 0)
                DebugLog("Decoding ahead: '" + path + "' was listed as a whole picture; cut here");
        }
        map = Internal::PixmapOf(std::move(prefetched), path);
    } else {
        map = Internal::ReadPictureFile(path);
    }
    if (!map) return nullptr;
    return Image::FromSheet(*map, cellW, cellH, first, count, flags);
}

ImageRef ImageFromPixmap(const PixelMap& map, int flags) {
    return Image::FromSheet(map, map.Width, map.Height, 0, 1, flags);
}

} // namespace Media
