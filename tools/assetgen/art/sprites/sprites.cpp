// Entry point of the gameplay sprite art: enemies, bosses, ship, bullets, effects, powerups.
#include "generators.h"

#include <string>

#include "art/sprites/families.h"
#include "art/sprites/validate.h"

namespace assetgen {
namespace {

using sprites::Hits;
using sprites::ValidateSheet;

// Every picture that takes part in hit tests must have solid texels in each frame, and every
// picture must keep clear of its cell borders (filtering would otherwise bleed between cells).
void ValidateAll(const Output& out) {
    for (int type = 0; type <= 26; ++type)
        ValidateSheet(out, "gfx/enemies/bug" + std::to_string(type) + ".png", 64, 64, 16, Hits::Solid);
    ValidateSheet(out, "gfx/enemies/bug27.png", 64, 64, 64, Hits::Solid);
    ValidateSheet(out, "gfx/enemies/bug28.png", 32, 32, 64, Hits::Solid);
    ValidateSheet(out, "gfx/enemies/bug29.png", 256, 256, 16, Hits::Solid);
    ValidateSheet(out, "gfx/enemies/bug30.png", 384, 384, 16, Hits::Solid);
    ValidateSheet(out, "gfx/ship/ship.png", 64, 64, 15, Hits::Solid);
    for (int size = 1; size <= 4; ++size)
        ValidateSheet(out, "gfx/ship/flames" + std::to_string(size) + ".png", 32, 32, 15, Hits::Any);
    ValidateSheet(out, "gfx/ship/shield.png", 96, 96, 1, Hits::Solid);
    ValidateSheet(out, "gfx/ship/extralife.png", 36, 36, 1, Hits::Solid);
    ValidateSheet(out, "gfx/ship/health.png", 36, 36, 1, Hits::Solid);
    for (int kind : {0, 1, 2, 3, 6, 9, 12})
        ValidateSheet(out, "gfx/bullets/bullet" + std::to_string(kind) + ".png", 64, 64, 1, Hits::Solid);
    ValidateSheet(out, "gfx/bullets/bullet4.png", 48, 48, 16, Hits::Solid);
    for (int kind : {5, 7, 16})
        ValidateSheet(out, "gfx/bullets/bullet" + std::to_string(kind) + ".png", 64, 64, 16, Hits::Solid);
    ValidateSheet(out, "gfx/bullets/rocketsmoke.png", 32, 32, 16, Hits::Any);
    ValidateSheet(out, "gfx/effects/explosion.png", 64, 64, 16, Hits::Any);
    for (const char* name : {"slime_green", "eggsplosion", "shockwave", "spark"})
        ValidateSheet(out, std::string("gfx/effects/") + name + ".png", 256, 256, 16, Hits::Any);
    ValidateSheet(out, "gfx/effects/shockwave2.png", 1024, 1024, 1, Hits::Any);
    for (int item = 1; item <= 12; ++item) {
        ValidateSheet(out, "gfx/powerups/powerup" + std::to_string(item) + ".png", 64, 64, 1, Hits::Solid);
        ValidateSheet(out, "gfx/powerups/indicator" + std::to_string(item) + ".png", 40, 50, 1, Hits::Any);
    }
}

} // namespace

void GenerateSpriteArt(const Output& out) {
    sprites::GenerateInsects(out);
    sprites::GenerateCreatures(out);
    sprites::GenerateMachines(out);
    sprites::GenerateAsteroids(out);
    sprites::GenerateBosses(out);
    sprites::GenerateShip(out);
    sprites::GenerateBullets(out);
    sprites::GenerateEffects(out);
    sprites::GeneratePowerups(out);
    ValidateAll(out);
}

} // namespace assetgen
