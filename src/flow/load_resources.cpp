#include "flow/load_resources.h"

#include "presentation/font.h"

void LoadResources() {
    Font1 = Font::Load("gfx\\font1.png", 32, 32, GAME_CHARACTER_SET, 0, 0.05f, 0.33f, 6);
    Font2 = Font::Load("gfx\\font2.png", 32, 32, GAME_CHARACTER_SET, 0, 0.05f, 0.33f, 6);
    Font3 = Font::Load("gfx\\font3.png", 64, 64, GAME_CHARACTER_SET, 0, 0.0125f, 0.33f, 6);
}
