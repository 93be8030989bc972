#include <gtest/gtest.h>

#include "media/media.h"
#include "presentation/font.h"

namespace {

// A strip of `cells` cells of size cel × cel; ink[k] = {first column, last column} of opaque
// pixels in cell k (one row only), or {-1, -1} for a blank cell.
Media::ImageRef Strip(int cel, const std::vector<std::pair<int, int>>& ink) {
    Media::PixelMap sheet;
    sheet.Width = cel * int(ink.size());
    sheet.Height = cel;
    sheet.Pixels.assign(size_t(sheet.Width) * size_t(sheet.Height) * 4, 0);
    for (size_t k = 0; k < ink.size(); ++k) {
        if (ink[k].first < 0) continue;
        for (int x = ink[k].first; x <= ink[k].second; ++x) {
            uint8_t* p = sheet.At(int(k) * cel + x, cel / 2);
            p[0] = p[1] = p[2] = 255;
            p[3] = 1; // any alpha above 0 is ink
        }
    }
    return Media::Image::FromSheet(sheet, cel, cel, 0, int(ink.size()), Media::DYNAMICIMAGE);
}

} // namespace

TEST(Font, GameCharacterSetHas94CharactersEndingWithSpace) {
    FontRef font = Font::FromImage(nullptr, 32, 32, GAME_CHARACTER_SET, 0, 0.05f, 0.33f);
    ASSERT_EQ(font->CharacterSet().size(), 94u);
    EXPECT_EQ(font->LetterFrame('A'), 0);
    EXPECT_EQ(font->LetterFrame('a'), 26);
    EXPECT_EQ(font->LetterFrame('0'), 52);
    EXPECT_EQ(font->LetterFrame('?'), 62);
    EXPECT_EQ(font->LetterFrame(U'\u2018'), 80);
    EXPECT_EQ(font->LetterFrame(')'), 92);
    EXPECT_EQ(font->LetterFrame(' '), 93);
    EXPECT_EQ(font->LetterFrame(U'\u00e9'), 0); // é is not in the set: the first glyph
    EXPECT_EQ(font->LetterFrame('#'), 0);
}

TEST(Font, LettersAreMeasuredFromTheirOpaqueColumns) {
    const struct {
        int cel;
        std::pair<int, int> ink;
        int width;
    } cases[] = {
        {32, {5, 5}, 2},    // one pixel: 1, made even
        {32, {3, 10}, 8},   // 8 columns
        {32, {3, 9}, 8},    // 7 columns, made even
        {32, {0, 31}, 32},  // the whole cell
        {32, {-1, -1}, 10}, // blank: 32 × 0.33 = 10.56 → 10
        {64, {-1, -1}, 22}, // blank: 64 × 0.33 = 21.12 → 21, made even
    };
    for (const auto& c : cases) {
        FontRef font = Font::FromImage(Strip(c.cel, {c.ink}), c.cel, c.cel, "A", 0, 0.05f, 0.33f);
        EXPECT_EQ(font->FrameWidth(0), c.width) << c.cel << " " << c.ink.first << ".." << c.ink.second;
    }
}

TEST(Font, MonospaceUsesTheWidestGlyphEverywhere) {
    FontRef font = Font::FromImage(Strip(32, {{5, 5}, {2, 21}, {-1, -1}}), 32, 32, "AB ", 1, 0.05f, 0.33f);
    EXPECT_EQ(font->FrameWidth(0), 20);
    EXPECT_EQ(font->FrameWidth(1), 20);
    EXPECT_EQ(font->FrameWidth(2), 20);
    EXPECT_FLOAT_EQ(font->Space(), 20.0f / 32.0f);
}

TEST(Font, TextWidthAddsTrackingBetweenLetters) {
    FontRef font = Font::FromImage(Strip(32, {{0, 9}, {0, 19}}), 32, 32, "AB", 0, 0.05f, 0.33f);
    EXPECT_FLOAT_EQ(font->TextWidth("AB"), 10 + 20 + 1.6f);
    EXPECT_FLOAT_EQ(font->TextWidth("A"), 10);
    EXPECT_FLOAT_EQ(font->TextWidth(""), -1.6f);
    EXPECT_FLOAT_EQ(font->TextWidth("\xc3\xa9"), 10); // é: one character, drawn as 'A'
    EXPECT_FLOAT_EQ(font->LetterWidth('B'), 20);
}

TEST(NextCharacter, DecodesUtf8AndKeepsStrayBytes) {
    std::string text = "a\xe2\x80\x98\xff"
                       "b";
    size_t i = 0;
    EXPECT_EQ(NextCharacter(text, i), U'a');
    EXPECT_EQ(NextCharacter(text, i), U'\u2018');
    EXPECT_EQ(NextCharacter(text, i), char32_t(0xff));
    EXPECT_EQ(NextCharacter(text, i), U'b');
    EXPECT_EQ(i, text.size());
}

TEST(Font, GeneratedGameFontsMeasureAsExpected) {
    std::string root = QS_DATA_ROOT;
    if (Media::FileType(root + "/gfx/font3.png") != 1) GTEST_SKIP() << "no generated data root at " << root;
    const struct {
        const char* file;
        int cel;
        float tracking;
        int space;
    } fonts[] = {{"/gfx/font1.png", 32, 0.05f, 10},
                 {"/gfx/font2.png", 32, 0.05f, 10},
                 {"/gfx/font3.png", 64, 0.0125f, 22}};
    for (const auto& f : fonts) {
        FontRef font = Font::Load(root + f.file, f.cel, f.cel, GAME_CHARACTER_SET, 0, f.tracking, 0.33f, 6);
        ASSERT_EQ(font->Image()->Frames(), 94) << f.file;
        EXPECT_EQ(font->LetterWidth(' '), f.space) << f.file;
        for (int k = 0; k < 93; ++k) {
            EXPECT_EQ(font->FrameWidth(k) % 2, 0) << f.file << " frame " << k;
            EXPECT_LE(font->FrameWidth(k), f.cel) << f.file << " frame " << k;
        }
        EXPECT_LT(font->LetterWidth('i'), font->LetterWidth('W')) << f.file; // proportional
    }
}
