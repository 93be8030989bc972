#include "preview/image_io.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace assetgen::preview {
namespace {

struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    std::longjmp(err->jump, 1);
}

Surface LoadJpeg(const std::filesystem::path& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnJpegError;
    // Everything that must survive a longjmp lives outside this frame's automatic C++ objects.
    static thread_local std::vector<unsigned char> row;
    static thread_local cairo_surface_t* surface;
    surface = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        if (surface) cairo_surface_destroy(surface);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    int w = int(info.output_width), h = int(info.output_height);
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    row.assign(size_t(w) * 3, 0);
    while (info.output_scanline < info.output_height) {
        int y = int(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        auto* dst = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x)
            dst[x] = 0xFF000000u | (uint32_t(row[size_t(x) * 3]) << 16) | (uint32_t(row[size_t(x) * 3 + 1]) << 8) |
                     uint32_t(row[size_t(x) * 3 + 2]);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    cairo_surface_mark_dirty(surface);
    return Surface(surface);
}

} // namespace

Surface LoadPicture(const std::filesystem::path& path) {
    if (!std::filesystem::exists(path)) return nullptr;
    if (path.extension() == ".jpg" || path.extension() == ".jpeg") return LoadJpeg(path);
    Surface s(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return s;
}

Surface NewSurface(int w, int h) { return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)); }

} // namespace assetgen::preview
