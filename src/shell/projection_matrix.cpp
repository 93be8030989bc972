#include "shell/projection_matrix.h"

#include "media/media.h"
#include "sprites/render_state.h"

LetterboxSize ComputeLetterbox(int vw, int vh, int gw, int gh) {
    if (gw <= 0 || gh <= 0) return {vw, vh}; // no back buffer (yet): nothing to fit
    // The quotients are formed in double and each result rounded to a 32-bit float before it is
    // truncated: 1024 / (1280 / 800) is 639.999… in double but 640 as a float, and the display
    // must get 640.
    float projW = float(vw);
    float projH = float(double(gh) / (double(gw) / vw));
    if (projH < float(vh)) {
        projH = float(vh);
        projW = float(double(gw) / (double(gh) / vh));
    }
    return {int(projW), int(projH)};
}

void ProjectionMatrix::SetScale(int width, int height) {
    ScaledWidth_ = VirtualWidth_ = width;
    ScaledHeight_ = VirtualHeight_ = height;
    Media::SetProjection(float(width), float(height));
    // The viewport is in drawing units. Left as the back buffer's pixel size, it would cut the
    // picture off wherever units outnumber pixels (a desktop smaller than 800 × 500).
    Media::SetViewport(0, 0, width, height);
}

void ProjectionMatrix::SetLetterbox(int vw, int vh) {
    LetterboxSize size = ComputeLetterbox(vw, vh, Media::GraphicsWidth(), Media::GraphicsHeight());
    SetScale(size.Width, size.Height);
    VirtualWidth_ = vw;
    VirtualHeight_ = vh;
}

void ProjectionMatrix::DrawLetterbox() {
    RenderState::Push();
    // Whatever state the last sprite left, the bars are opaque, unrotated, unscaled and unclipped.
    Media::SetColor(0, 0, 0);
    Media::SetAlpha(1);
    Media::SetBlend(Media::SOLIDBLEND);
    Media::SetRotation(0);
    Media::SetScale(1, 1);
    Media::SetOrigin(0, 0);
    Media::SetViewport(0, 0, ScaledWidth_, ScaledHeight_);
    if (VirtualHeight_ < ScaledHeight_) {
        int bar = (ScaledHeight_ - VirtualHeight_) / 2;
        Media::DrawRect(0, 0, float(ScaledWidth_), float(bar));
        Media::DrawRect(0, float(ScaledHeight_ - bar), float(ScaledWidth_), float(bar));
    } else {
        int bar = (ScaledWidth_ - VirtualWidth_) / 2;
        Media::DrawRect(0, 0, float(bar), float(ScaledHeight_));
        Media::DrawRect(float(ScaledWidth_ - bar), 0, float(bar), float(ScaledHeight_));
    }
    RenderState::Pop();
}
