#include "presentation/text.h"

#include <cmath>

#include "media/fatal_error.h"

TextRef Text::Create(const std::string& text, float x, float y, int order, const SpriteRef& parent,
                     int justify) {
    if (!CurrentFont) FatalError("Error in Text.Create(): No font set!");
    auto created = std::make_shared<Text>();
    created->Font_ = CurrentFont;
    created->Justify_ = justify;
    created->Pivot = Sprite::Create(nullptr, order, parent);
    created->Pivot->SetPosition(x, y, 0);
    created->Set(text);
    return created;
}

void Text::Free() {
    Pivot->Free();
    Letter.clear();
}

void Text::Set(const std::string& text) {
    if (text == Text_) return;
    Text_ = text;
    Pivot->FreeChildren();
    Letter.clear();

    float x = 0;
    if (Justify_ == CENTRE)
        x = -Font_->TextWidth(text) / 2;
    else if (Justify_ == RIGHT)
        x = -Font_->TextWidth(text);
    // Letters advance by whole pixels of tracking while TextWidth counts the exact product, so
    // centred and right-justified texts sit slightly left of exact.
    float gap = std::floor(Font_->Tracking() * float(Font_->CelWidth()));
    for (size_t i = 0; i < text.size();) {
        char32_t c = NextCharacter(text, i);
        float half = Font_->LetterWidth(c) / 2;
        x += half;
        SpriteRef letter = Sprite::Create(Font_->Image(), 0, Pivot);
        letter->SetPosition(x, 0, 0);
        letter->SetFrame(float(Font_->LetterFrame(c)));
        Letter.push_back(std::move(letter));
        x += half + gap;
    }
}
