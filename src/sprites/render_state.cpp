#include "sprites/render_state.h"

#include <vector>

#include "media/fatal_error.h"
#include "media/media.h"

namespace {

std::vector<RenderState> StateStack; // last pushed at the end; keeps its capacity

} // namespace

void RenderState::Push() {
    RenderState& s = StateStack.emplace_back();
    s.Alpha = Media::GetAlpha();
    s.Blend = Media::GetBlend();
    Media::GetClsColor(s.ClsColor_R, s.ClsColor_G, s.ClsColor_B);
    Media::GetColor(s.Color_R, s.Color_G, s.Color_B);
    Media::GetDrawHandle(s.Handle_X, s.Handle_Y);
    s.ImageFont = Media::GetImageFont();
    s.LineWidth = Media::GetLineWidth();
    Media::GetMaskColor(s.MaskColor_R, s.MaskColor_G, s.MaskColor_B);
    Media::GetOrigin(s.Origin_X, s.Origin_Y);
    s.Rotation = Media::GetRotation();
    Media::GetScale(s.Scale_X, s.Scale_Y);
    Media::GetViewport(s.Viewport_X, s.Viewport_Y, s.Viewport_Width, s.Viewport_Height);
}

void RenderState::Pop() {
    if (StateStack.empty()) FatalError("Error in RenderState.Pop(): No state to restore!");
    const RenderState s = StateStack.back();
    StateStack.pop_back();
    Media::SetAlpha(s.Alpha);
    Media::SetBlend(s.Blend);
    Media::SetClsColor(s.ClsColor_R, s.ClsColor_G, s.ClsColor_B);
    Media::SetColor(s.Color_R, s.Color_G, s.Color_B);
    Media::SetDrawHandle(s.Handle_X, s.Handle_Y);
    Media::SetImageFont(s.ImageFont);
    Media::SetLineWidth(s.LineWidth);
    Media::SetMaskColor(s.MaskColor_R, s.MaskColor_G, s.MaskColor_B);
    Media::SetOrigin(s.Origin_X, s.Origin_Y);
    Media::SetRotation(s.Rotation);
    Media::SetScale(s.Scale_X, s.Scale_Y);
    Media::SetViewport(s.Viewport_X, s.Viewport_Y, s.Viewport_Width, s.Viewport_Height);
}

int RenderState::Depth() {
    return int(StateStack.size());
}

void RenderState::Reset() {
    StateStack.clear();
}
