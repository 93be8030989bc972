#include <gtest/gtest.h>

#include "media/media.h"
#include "presentation/text.h"

namespace {

// Font "AB" with cells of 32 px: A is 10 px wide, B 20 px; tracking 0.05 (1.6 px, 1 whole px).
FontRef TwoLetterFont() {
    Media::PixelMap sheet;
    sheet.Width = 64;
    sheet.Height = 32;
    sheet.Pixels.assign(64 * 32 * 4, 0);
    for (int x = 0; x < 10; ++x)
        sheet.At(x, 16)[3] = 255;
    for (int x = 32; x < 52; ++x)
        sheet.At(x, 16)[3] = 255;
    auto image = Media::Image::FromSheet(sheet, 32, 32, 0, 2, Media::DYNAMICIMAGE);
    return Font::FromImage(image, 32, 32, "AB", 0, 0.05f, 0.33f);
}

} // namespace

class TextTest : public testing::Test {
protected:
    void SetUp() override { TwoLetterFont()->Set(); }
    void TearDown() override { Sprite::ResetEngine(); }
};

TEST_F(TextTest, LettersArePlacedForEachJustification) {
    const struct {
        int justify;
        float a, b;
    } cases[] = {
        {Text::LEFT, 5, 21},           // 0 + 5; 10 + 1 + 10
        {7, 5, 21},                    // unknown values lay out like left
        {Text::CENTRE, -10.8f, 5.2f},  // starts at -(31.6 / 2)
        {Text::RIGHT, -26.6f, -10.6f}, // starts at -31.6
    };
    for (const auto& c : cases) {
        TextRef text = Text::Create("AB", 100, 50, 4, nullptr, c.justify);
        ASSERT_EQ(text->Letter.size(), 2u);
        EXPECT_NEAR(text->Letter[0]->X(0), c.a, 1e-4) << c.justify;
        EXPECT_NEAR(text->Letter[1]->X(0), c.b, 1e-4) << c.justify;
        EXPECT_FLOAT_EQ(text->Letter[0]->Frame(0), 0);
        EXPECT_FLOAT_EQ(text->Letter[1]->Frame(0), 1);
        EXPECT_EQ(text->Letter[1]->Parent(), text->Pivot);
        EXPECT_FLOAT_EQ(text->Pivot->X(0), 100);
        EXPECT_FLOAT_EQ(text->Pivot->Order(0), 4);
        EXPECT_FLOAT_EQ(text->Letter[1]->X(1), 100 + c.b);
        text->Free();
    }
}

TEST_F(TextTest, SameStringKeepsTheLettersAndANewOneReplacesThem) {
    TextRef text = Text::Create("AB", 0, 0, 0, nullptr, Text::LEFT);
    SpriteRef first = text->Letter[0];
    int sprites = Sprite::SpriteList().Count();
    text->Set("AB");
    EXPECT_EQ(text->Letter[0], first);
    EXPECT_EQ(Sprite::SpriteList().Count(), sprites);
    text->Set("BBB");
    EXPECT_FALSE(first->Linked());
    ASSERT_EQ(text->Letter.size(), 3u);
    EXPECT_EQ(Sprite::SpriteList().Count(), sprites + 1);
    text->Set("");
    EXPECT_TRUE(text->Letter.empty());
    EXPECT_EQ(Sprite::SpriteList().Count(), 1); // the pivot alone
}

TEST_F(TextTest, CharactersOutsideTheSetShowTheFirstGlyph) {
    TextRef text = Text::Create("\xc3\xa9"
                                "B",
                                0, 0, 0, nullptr, Text::LEFT);
    ASSERT_EQ(text->Letter.size(), 2u);
    EXPECT_FLOAT_EQ(text->Letter[0]->Frame(0), 0);
    EXPECT_FLOAT_EQ(text->Letter[0]->X(0), 5);
}

TEST_F(TextTest, FreeingThePivotsParentEndsTheText) {
    SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
    TextRef text = Text::Create("AB", 0, 0, 0, parent, Text::LEFT);
    parent->Free();
    EXPECT_FALSE(text->Pivot->Linked());
    EXPECT_FALSE(text->Letter[1]->Linked());
}
