#include "presentation/font.h"

#include <algorithm>

#include "shell/load_helpers.h"

char32_t NextCharacter(const std::string& text, size_t& i) {
    auto byte = [&](size_t k) { return uint8_t(text[k]); };
    uint8_t lead = byte(i);
    int extra = lead < 0x80             ? 0
                : (lead & 0xE0) == 0xC0 ? 1
                : (lead & 0xF0) == 0xE0 ? 2
                : (lead & 0xF8) == 0xF0 ? 3
                                        : -1;
    if (extra > 0 && i + size_t(extra) < text.size()) {
        char32_t code = lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            uint8_t next = byte(i + size_t(k));
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (valid) {
            i += size_t(extra) + 1;
            return code;
        }
    }
    i += 1;
    return lead;
}

namespace {

std::u32string Decode(const std::string& text) {
    std::u32string result;
    for (size_t i = 0; i < text.size();)
        result += NextCharacter(text, i);
    return result;
}

// Width of the opaque columns of one cell: from the first column holding a pixel with alpha
// above 0 to one past the last; an empty cell gets celWidth × space. Widths are made even so
// that letters centred on whole-pixel positions stay on whole pixels.
int MeasureCell(const Media::Image& image, int frame, int celWidth, int celHeight, float space) {
    auto columnHasInk = [&](int x) {
        for (int y = 0; y < celHeight; ++y)
            if (image.Alpha(frame, x, y) != 0) return true;
        return false;
    };
    int left = 0, right = 0;
    for (int x = 0; x < celWidth; ++x)
        if (columnHasInk(x)) {
            left = x;
            break;
        }
    for (int x = celWidth - 1; x >= 0; --x)
        if (columnHasInk(x)) {
            right = x + 1;
            break;
        }
    int width = right - left > 0 ? right - left : int(float(celWidth) * space);
    if (width % 2 != 0) width += 1;
    return width;
}

} // namespace

FontRef Font::Load(const std::string& path, int celWidth, int celHeight, const std::string& characterSet,
                   int monospace, float tracking, float space, int flags) {
    int count = int(Decode(characterSet).size());
    Media::ImageRef image =
        LoadGameAnimImage(path, celWidth, celHeight, 0, count, flags + Media::DYNAMICIMAGE, 0);
    return FromImage(image, celWidth, celHeight, characterSet, monospace, tracking, space);
}

FontRef Font::FromImage(Media::ImageRef image, int celWidth, int celHeight, const std::string& characterSet,
                        int monospace, float tracking, float space) {
    auto font = std::make_shared<Font>();
    font->Image_ = std::move(image);
    font->CharacterSet_ = Decode(characterSet);
    font->CelWidth_ = celWidth;
    font->CelHeight_ = celHeight;
    font->Tracking_ = tracking;
    font->Space_ = space;
    font->AsciiFrame_.fill(-1);
    for (size_t k = font->CharacterSet_.size(); k-- > 0;) {
        char32_t c = font->CharacterSet_[k];
        if (c < 128) font->AsciiFrame_[c] = int16_t(k);
    }
    int frames = font->Image_ ? font->Image_->Frames() : 0;
    font->LetterWidth_.assign(font->CharacterSet_.size(), int(float(celWidth) * space));
    for (size_t k = 0; k < font->LetterWidth_.size() && int(k) < frames; ++k)
        font->LetterWidth_[k] = MeasureCell(*font->Image_, int(k), celWidth, celHeight, space);
    if (monospace != 0) {
        int widest = 0;
        for (int w : font->LetterWidth_)
            widest = std::max(widest, w);
        std::fill(font->LetterWidth_.begin(), font->LetterWidth_.end(), widest);
        font->Space_ = float(widest) / float(celWidth);
    }
    return font;
}

void Font::Set() {
    CurrentFont = shared_from_this();
}

float Font::TextWidth(const std::string& text) const {
    float width = 0;
    int letters = 0;
    for (size_t i = 0; i < text.size(); ++letters)
        width += LetterWidth(NextCharacter(text, i));
    return width + float(letters - 1) * Tracking_ * float(CelWidth_);
}

int Font::LetterFrame(char32_t code) const {
    if (code < 128) return std::max<int>(AsciiFrame_[code], 0);
    for (size_t k = 0; k < CharacterSet_.size(); ++k)
        if (CharacterSet_[k] == code) return int(k);
    return 0;
}
