#include "media/image_codec.h"

// clang-format off
#include <cstdio>   // libjpeg's header needs FILE and size_t declared first
#include <csetjmp>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <png.h>

#include <algorithm>
#include <cstring>

namespace Media {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return: jump back out.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}
void JpegSilence(j_common_ptr, int) {}
// libjpeg only warns when the file or a scan's data ends early and makes up the missing blocks;
// a cut-off picture is refused like a cut-off PNG.
void JpegFailOnTruncation(j_common_ptr info, int level) {
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) JpegErrorExit(info);
}

// libjpeg's own working memory (progressive pictures keep every coefficient of the picture): a
// few hundred bytes claiming a huge picture must not take gigabytes.
constexpr long MAX_JPEG_WORKING_MEMORY = long(512) << 20;

// Deflate packs at most 1032 bytes into one, and a PNG holds at least one bit per pixel: a file
// too small for its stated size is refused before the picture is allocated.
constexpr uint64_t MAX_DEFLATE_RATIO = 1032;

bool HasPngSignature(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}
bool HasJpegSignature(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

// Everything that longjmp may skip lives outside the function that calls setjmp.
struct JpegDecode {
    jpeg_decompress_struct info{};
    JpegError error{};
    PixelMapRef map;
    std::vector<uint8_t> row;
};

bool RunJpegDecode(JpegDecode& d, const std::vector<uint8_t>& bytes) {
    d.info.err = jpeg_std_error(&d.error.manager);
    d.error.manager.error_exit = JpegErrorExit;
    d.error.manager.emit_message = JpegFailOnTruncation;
    if (setjmp(d.error.jump)) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = MAX_JPEG_WORKING_MEMORY;
    jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&d.info);
    const int width = int(d.info.output_width), height = int(d.info.output_height);
    const int components = d.info.output_components;
    if (width <= 0 || height <= 0 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE ||
        components != (cmyk ? 4 : 3)) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    d.map = std::make_shared<PixelMap>();
    d.map->Width = width;
    d.map->Height = height;
    // Rows are added as they decode: a file that ends early fails before the whole picture
    // is touched.
    const size_t rowBytes = size_t(width) * 4;
    d.map->Pixels.reserve(rowBytes * size_t(height));
    d.row.resize(size_t(width) * size_t(components));
    while (d.info.output_scanline < d.info.output_height) {
        const int y = int(d.info.output_scanline);
        JSAMPROW rows[1] = {d.row.data()};
        jpeg_read_scanlines(&d.info, rows, 1);
        d.map->Pixels.resize(rowBytes * size_t(y + 1));
        uint8_t* out = d.map->At(0, y);
        for (int x = 0; x < width; ++x, out += 4) {
            const uint8_t* in = &d.row[size_t(x) * size_t(components)];
            if (cmyk) {
                // Adobe writes CMYK JPEGs inverted: each stored value is 255 − ink.
                const int k = in[3];
                out[0] = uint8_t(in[0] * k / 255);
                out[1] = uint8_t(in[1] * k / 255);
                out[2] = uint8_t(in[2] * k / 255);
            } else {
                std::memcpy(out, in, 3);
            }
            out[3] = 255;
        }
    }
    jpeg_finish_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
    return true;
}

} // namespace

PixelMapRef DecodePng(const std::vector<uint8_t>& bytes) {
    if (!HasPngSignature(bytes)) return nullptr;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return nullptr;
    if (image.width == 0 || image.height == 0 || image.width > MAX_PICTURE_SIDE ||
        image.height > MAX_PICTURE_SIDE ||
        uint64_t(image.width) * image.height > uint64_t(bytes.size()) * 8 * MAX_DEFLATE_RATIO) {
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    auto map = std::make_shared<PixelMap>();
    map->Width = int(image.width);
    map->Height = int(image.height);
    map->Pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, map->Pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    return map;
}

PixelMapRef DecodeJpeg(const std::vector<uint8_t>& bytes) {
    if (!HasJpegSignature(bytes)) return nullptr;
    JpegDecode decode;
    return RunJpegDecode(decode, bytes) ? decode.map : nullptr;
}

PixelMapRef DecodePicture(const std::vector<uint8_t>& bytes) {
    if (HasPngSignature(bytes)) return DecodePng(bytes);
    if (HasJpegSignature(bytes)) return DecodeJpeg(bytes);
    return nullptr;
}

namespace {

struct JpegEncode {
    jpeg_compress_struct info{};
    JpegError error{};
    FILE* file = nullptr;
    std::vector<uint8_t> row;
};

bool RunJpegEncode(JpegEncode& e, const PixelMap& map, int quality) {
    e.info.err = jpeg_std_error(&e.error.manager);
    e.error.manager.error_exit = JpegErrorExit;
    e.error.manager.emit_message = JpegSilence;
    if (setjmp(e.error.jump)) {
        jpeg_destroy_compress(&e.info);
        return false;
    }
    jpeg_create_compress(&e.info);
    jpeg_stdio_dest(&e.info, e.file);
    const bool rgb = map.PixelFormat == PixelMap::Format::RGBA;
    e.info.image_width = JDIMENSION(map.Width);
    e.info.image_height = JDIMENSION(map.Height);
    e.info.input_components = rgb ? 3 : 1;
    e.info.in_color_space = rgb ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    e.row.resize(size_t(map.Width) * size_t(e.info.input_components));
    while (e.info.next_scanline < e.info.image_height) {
        const int y = int(e.info.next_scanline);
        const uint8_t* in = map.At(0, y);
        if (rgb) {
            for (int x = 0; x < map.Width; ++x)
                std::memcpy(&e.row[size_t(x) * 3], in + size_t(x) * 4, 3);
        } else {
            std::memcpy(e.row.data(), in, size_t(map.Width));
        }
        JSAMPROW rows[1] = {e.row.data()};
        jpeg_write_scanlines(&e.info, rows, 1);
    }
    jpeg_finish_compress(&e.info);
    jpeg_destroy_compress(&e.info);
    return true;
}

} // namespace

bool SaveJpeg(const PixelMap& map, const std::string& path, int quality) {
    if (map.Width <= 0 || map.Height <= 0 ||
        map.Pixels.size() < size_t(map.Width) * size_t(map.Height) * size_t(map.Channels()))
        return false;
    JpegEncode encode;
    encode.file = std::fopen(NativePath(path).c_str(), "wb");
    if (!encode.file) return false;
    const bool encoded = RunJpegEncode(encode, map, std::clamp(quality, 1, 100));
    const bool closed = std::fclose(encode.file) == 0;
    if (!encoded || !closed) {
        std::remove(NativePath(path).c_str());
        return false;
    }
    return true;
}

} // namespace Media
