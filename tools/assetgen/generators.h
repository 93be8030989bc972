#pragma once
// The generators that together write the whole data root. Each is deterministic.
#include <filesystem>

#include "common/output.h"

namespace assetgen {

// Enemies, bosses, ship, bullets, effects and powerups (gfx/enemies, gfx/ship, gfx/bullets,
// gfx/effects, gfx/powerups).
void GenerateSpriteArt(const Output& out);
// Fonts, menus, buttons, titles, story, ending, credits, background, planets (gfx/, gfx/menus,
// gfx/background, gfx/planets).
void GenerateScreenArt(const Output& out);
// Sound effects (sfx/) and music (sfx/music/).
void GenerateAudio(const Output& out);
// Copies the authored level files into data/.
void WriteLevels(const Output& out, const std::filesystem::path& levelSource);
// The desktop icons quillstorm-48.png, -128.png and -256.png, written into `dir`.
void WriteIcons(const std::filesystem::path& dir);
// Contact sheets of an already generated data root, written into `previewDir`.
void WritePreview(const std::filesystem::path& dataRoot, const std::filesystem::path& previewDir);

} // namespace assetgen
