#include "presentation/logo.h"

#include <string>

#include "media/media.h"
#include "shell/load_helpers.h"
#include "sprites/animate.h"

namespace {

std::string LogoName(int number) {
    return "gfx\\menus\\logo" + std::to_string(number);
}

} // namespace

std::vector<std::string> Logo::PicturePaths() {
    std::vector<std::string> paths;
    for (int number = 1;; ++number) {
        const size_t before = paths.size();
        for (const char* type : {".jpg", ".png"})
            if (Media::FileType(LogoName(number) + type) == 1) paths.push_back(LogoName(number) + type);
        if (paths.size() == before) return paths;
    }
}

void Logo::ShowNext() {
    std::string name = LogoName(LogoNumber_ + 1);
    if (!LogoSprite_) {
        LogoSprite_ = Sprite::Create(nullptr, 0, nullptr);
        LogoSprite_->SetPosition(400, 250, 0);
    }
    // The JPEG is loaded first and the PNG, when there is one, replaces it; both loads are
    // checked, so a broken JPEG is fatal even beside a good PNG.
    Media::ImageRef image;
    if (Media::FileType(name + ".jpg") == 1) image = LoadGameImage(name + ".jpg", -1, 0);
    if (Media::FileType(name + ".png") == 1) image = LoadGameImage(name + ".png", -1, 0);
    if (!image) {
        Free();
        return;
    }
    LogoSprite_->SetImage(image);
    LogoSprite_->AnimateColor(0, 0, 0, 255, 255, 255, FADETIME, 0, 0);
    LogoSprite_->AnimateColor(255, 255, 255, 0, 0, 0, FADETIME, 0, SHOWTIME);
    LogoSprite_->SetScale(800.0f / float(image->Width()));
    LogoNumber_ += 1;
}

int Logo::Animating() {
    return LogoSprite_ ? LogoSprite_->Animating(Animate::TRANSFORM_ALL) : 0;
}

void Logo::Free() {
    if (LogoSprite_) LogoSprite_->Free();
    LogoSprite_ = nullptr;
}
