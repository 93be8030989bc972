// Entry point of the gameplay sprite art: enemies, bosses, ship, bullets, effects, powerups.
#include "generators.h"

#include "art/sprites/families.h"

namespace assetgen {

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
}

} // namespace assetgen
