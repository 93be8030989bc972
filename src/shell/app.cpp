#include "shell/app.h"

#include "media/fatal_error.h"
#include "media/media.h"
#include "shell/pointer.h"
#include "shell/projection_matrix.h"
#include "sprites/sprite.h"

void App::Create(const std::string& title, int width, int height, int depth, int mode, int driver) {
    (void)driver; // one drawing back end serves every display
    Media::DebugLog("WARNING: Game running debug mode - Performance will be reduced!");
    Caption_ = title;
    FullscreenWidth_ = width;
    FullscreenHeight_ = height;
    if (depth == 0) {
        for (int probe : {16, 24, 32})
            if (Media::GraphicsModeExists(width, height, probe)) depth = probe;
    }
    FullscreenDepth_ = WindowDepth_ = depth;

    int desktopW = 0, desktopH = 0;
    Media::DesktopSize(desktopW, desktopH);
    if (!Media::CreateAppWindow(title, desktopW / 2 - 400, desktopH / 2 - 250, WindowWidth_, WindowHeight_))
        FatalError("Error in Application.SetWindowed() : Could not create canvas!");

    if (mode == 0)
        SetWindowed();
    else
        SetFullscreen();

    InitPointer();
    if (!Media::SelectAudioDriver("directsound"))
        Media::DebugLog("Error in App.Create(): Could not set DirectSound audio driver!");
}

void App::SetWindowed() {
    Width_ = WindowWidth_;
    Height_ = WindowHeight_;
    Depth_ = WindowDepth_;
    if (FullscreenGraphics_) {
        Media::CloseFullscreenGraphics();
        FullscreenGraphics_ = false;
    }
    if (!WindowGraphics_) {
        if (!Media::OpenWindowGraphics())
            FatalError("Error in Application.SetWindowed() : Could not get canvas graphics context!");
        WindowGraphics_ = true;
    }
    Media::ShowAppWindow(true);
    Windowed_ = 1;
    CommonSetup();
}

void App::SetFullscreen() {
    Width_ = FullscreenWidth_;
    Height_ = FullscreenHeight_;
    Depth_ = FullscreenDepth_;
    if (Depth_ == 0) {
        Media::DebugLog("Error in Application.SetFullscreen() : Depth = 0.  Could not set full screen mode!");
        SetWindowed();
        return;
    }
    Media::ShowAppWindow(false);
    if (WindowGraphics_) {
        Media::CloseWindowGraphics();
        WindowGraphics_ = false;
    }
    if (!FullscreenGraphics_) FullscreenGraphics_ = Media::OpenFullscreenGraphics(Width_, Height_, Depth_);
    if (!FullscreenGraphics_) {
        Media::DebugLog(
            "Error in Application.SetFullscreen() : TG_Fullscreen = Null.  Could not set full screen mode!");
        Media::DebugLog(std::to_string(Width_) + "," + std::to_string(Height_) + "," +
                        std::to_string(Depth_));
        SetWindowed();
        return;
    }
    Windowed_ = 0;
    CommonSetup();
}

void App::ToggleFullscreen() {
    if (Windowed_ == 0)
        SetWindowed();
    else if (Depth_ != 0)
        SetFullscreen();
}

void App::CommonSetup() {
    // The drawing state belongs to the new context, so the game's defaults are set again.
    Media::SetBlend(Media::ALPHABLEND);
    Media::SetMaskColor(255, 0, 255);
    Media::SetAutoMidHandle(true);
    Media::SetDefaultImageFlags(Media::FILTEREDIMAGE | Media::MIPMAPPEDIMAGE);
    ProjectionMatrix::SetLetterbox(VIRTUAL_WIDTH, VIRTUAL_HEIGHT);
    Sprite::SetOrigin(ProjectionMatrix::OriginX(), ProjectionMatrix::OriginY());
    CentrePointer();
}
