// Entry point of the gameplay sprite art: enemies, bosses, ship, bullets, effects, powerups.
#include "generators.h"

#include "art/sprites/families.h"
#include "common/validate.h"

namespace assetgen {

void GenerateSpriteArt(const Output& out) {
    sprites::GenerateEnemies(out);
    sprites::GenerateShip(out);
    sprites::GenerateBullets(out);
    sprites::GenerateEffects(out);
    sprites::GeneratePowerups(out);
    ValidatePictures(out, {"gfx/enemies/", "gfx/ship/", "gfx/bullets/", "gfx/effects/", "gfx/powerups/"});
}

} // namespace assetgen
