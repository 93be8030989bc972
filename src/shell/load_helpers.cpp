#include "shell/load_helpers.h"

#include "media/fatal_error.h"

namespace {

LoadProgressHook ProgressHook = nullptr;

[[noreturn]] void FailedToLoad(const std::string& path) {
    FatalError("The following image failed to load: '" + path + "'.  Please reinstall the game.");
}

// Drawn just outside the visible area so the drawing layer has the image ready before its
// first real use.
void DrawOffscreen(const Media::Image& image) {
    float x = float(Media::GraphicsWidth()), y = float(Media::GraphicsHeight());
    for (int frame = 0; frame < image.Frames(); ++frame)
        Media::DrawFrame(image, x, y, frame);
}

// `report` is false for images made from a pixel map: the map's own load has already been
// reported (or it was assembled in memory), and a load is counted once.
Media::ImageRef Finish(Media::ImageRef image, const std::string& path, int optional, bool report) {
    if (image) {
        Media::DebugLog("LoadImage(): Loaded " + path);
        DrawOffscreen(*image);
        if (report) ReportLoadProgress(path);
        return image;
    }
    if (optional == 0) FailedToLoad(path);
    Media::DebugLog("LoadImage(): Failed to load image " + path);
    if (report) ReportLoadProgress(path);
    return nullptr;
}

} // namespace

Media::ImageRef LoadGameImage(const std::string& path, int flags, int optional) {
    return Finish(Media::LoadImage(path, flags), path, optional, true);
}

Media::ImageRef LoadGameImage(const Media::PixelMap& pixmap, const std::string& name, int flags,
                              int optional) {
    return Finish(Media::ImageFromPixmap(pixmap, flags), name, optional, false);
}

Media::ImageRef LoadGameAnimImage(const std::string& path, int cellW, int cellH, int first, int count,
                                  int flags, int optional) {
    Media::ImageRef image = Media::LoadAnimImage(path, cellW, cellH, first, count, flags);
    if (image) {
        Media::DebugLog("LoadAnimImage(): Loaded " + path);
        DrawOffscreen(*image);
        ReportLoadProgress(path);
        return image;
    }
    if (optional == 0) FailedToLoad(path);
    Media::DebugLog("LoadAnimImage(): Failed to load image " + path);
    ReportLoadProgress(path);
    return nullptr;
}

Media::PixelMapRef LoadGamePixmap(const std::string& path, int optional) {
    Media::PixelMapRef pixmap = Media::LoadPixmap(path);
    if (!pixmap) {
        if (optional == 0) FailedToLoad(path);
        return nullptr;
    }
    ReportLoadProgress(path);
    return pixmap;
}

void SetLoadProgressHook(LoadProgressHook hook) {
    ProgressHook = hook;
}

void ReportLoadProgress(const std::string& item) {
    if (ProgressHook) ProgressHook(item);
}
