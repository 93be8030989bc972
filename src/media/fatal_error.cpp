#include "media/fatal_error.h"

#include "media/media.h"

void FatalError(const std::string& message) {
    Media::CloseFullscreenGraphics();
    Media::CloseWindowGraphics();
    Media::DebugLog(message);
    Media::Notify(message, 1);
    Media::End(1);
}
