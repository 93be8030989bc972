#pragma once
// A line of text drawn with a bitmap font: one letter sprite per character, all children of one
// image-less pivot sprite, so a whole line is positioned, coloured, faded, scaled and animated
// through Pivot, or letter by letter through Letter.
#include <memory>
#include <string>
#include <vector>

#include "presentation/font.h"
#include "sprites/sprite.h"

class Text;
using TextRef = std::shared_ptr<Text>;

class Text {
public:
    // Justification: the text starts at the pivot (−1, and any value other than 0 and 1), is
    // centred on it (0) or ends at it (1).
    static constexpr int LEFT = -1;
    static constexpr int CENTRE = 0;
    static constexpr int RIGHT = 1;

    // A text in CurrentFont (which must be set) with its pivot at (x, y) in the parent's space.
    static TextRef Create(const std::string& text, float x, float y, int order, const SpriteRef& parent,
                          int justify);
    // Frees the pivot and with it every letter.
    void Free();
    // Rebuilds the letters; does nothing when the text equals the current one, so callers may
    // set the same text every frame. Per-letter settings are lost when the string changes.
    void Set(const std::string& text);

    const std::string& String() const { return Text_; }
    const FontRef& GetFont() const { return Font_; }
    int Justify() const { return Justify_; }

    SpriteRef Pivot;
    std::vector<SpriteRef> Letter;

private:
    std::string Text_;
    FontRef Font_;
    int Justify_ = LEFT;
};
