#pragma once
// Bitmap fonts: an image strip with one cell per character of a character set. Each letter's
// advance width is measured once at load time from the opaque pixels of its cell, so text is
// laid out proportionally.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "media/media.h"

// The characters of all three game fonts, frame k holding character k (UTF-8; 94 characters,
// the last a space).
inline constexpr const char* GAME_CHARACTER_SET =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789?!:-+=/'%;_.\"~<>,`\u2018@$^&*|{}[]() ";

// Reads the character that starts at text[i] and moves i past it. Text is UTF-8; a byte that does
// not start a valid sequence is taken as one character of that byte value.
char32_t NextCharacter(const std::string& text, size_t& i);

class Font;
using FontRef = std::shared_ptr<Font>;

class Font : public std::enable_shared_from_this<Font> {
public:
    // Loads the strip through LoadGameAnimImage (a missing file is fatal) with flags + 8 (pixels
    // readable) and measures it. characterSet is UTF-8; tracking and space are fractions of the
    // cell width.
    static FontRef Load(const std::string& path, int celWidth, int celHeight, const std::string& characterSet,
                        int monospace, float tracking, float space, int flags);
    // Measures an image already loaded (one frame per character).
    static FontRef FromImage(Media::ImageRef image, int celWidth, int celHeight,
                             const std::string& characterSet, int monospace, float tracking, float space);

    // Makes this the font that new texts use.
    void Set();
    // Sum of the letter widths plus tracking × cell width between letters (unrounded); the empty
    // string gives −tracking × cell width.
    float TextWidth(const std::string& text) const;
    // Frame of a character; 0 (the first glyph) for one outside the set.
    int LetterFrame(char32_t code) const;
    float LetterWidth(char32_t code) const {
        return LetterWidth_.empty() ? 0.0f : float(LetterWidth_[size_t(LetterFrame(code))]);
    }

    const Media::ImageRef& Image() const { return Image_; }
    const std::u32string& CharacterSet() const { return CharacterSet_; }
    int CelWidth() const { return CelWidth_; }
    int CelHeight() const { return CelHeight_; }
    float Tracking() const { return Tracking_; }
    float Space() const { return Space_; }
    // Measured width of frame k in pixels (always even).
    int FrameWidth(int frame) const { return LetterWidth_[size_t(frame)]; }

private:
    Media::ImageRef Image_;
    std::u32string CharacterSet_;
    std::vector<int> LetterWidth_;
    int CelWidth_ = 0, CelHeight_ = 0;
    float Tracking_ = 0;
    float Space_ = 0;
    std::array<int16_t, 128> AsciiFrame_{}; // frame of each ASCII code, -1 when not in the set
};

// The font new texts take; none until a font's Set.
inline FontRef CurrentFont;

// The game's three fonts, loaded first by LoadResources.
inline FontRef Font1, Font2, Font3;
