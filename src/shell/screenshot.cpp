#include "shell/screenshot.h"

#include <cstdio>

#include "media/media.h"

std::string ScreenshotName(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "Screenshot-%03d.jpg", number % 1000);
    return name;
}

std::string NextScreenshotName() {
    // Numbers 1..1000 cover each three-digit name once (1000 gives 000); past that every name
    // has been seen, so the search stops instead of running on.
    for (int number = 1; number <= 1000; ++number) {
        std::string name = ScreenshotName(number);
        if (Media::FileType(name) == 0) return name;
    }
    return "";
}

std::string SaveScreenshot() {
    std::string name = NextScreenshotName();
    if (name.empty()) {
        Media::DebugLog("SaveScreenshot(): Screenshot-000.jpg to Screenshot-999.jpg all exist; not saved");
        return "";
    }
    Media::PixelMapRef shot = Media::GrabPixmap(0, 0, Media::GraphicsWidth(), Media::GraphicsHeight());
    if (!shot || !Media::SaveJpeg(*shot, name, 100)) {
        Media::DebugLog("SaveScreenshot(): Failed to save " + name);
        return "";
    }
    Media::DebugLog("SaveScreenshot(): Saved " + name);
    return name;
}
