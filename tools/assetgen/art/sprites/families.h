#pragma once
// The sprite families; each writes its own files under the data root.
#include "common/output.h"

namespace assetgen::sprites {

void GenerateInsects(const Output& out);   // gfx/enemies: the insect and creature types
void GenerateMachines(const Output& out);  // gfx/enemies: robots and the mine
void GenerateAsteroids(const Output& out); // gfx/enemies: bug27, bug28
void GenerateBosses(const Output& out);    // gfx/enemies: bug29, bug30
void GenerateShip(const Output& out);      // gfx/ship
void GenerateBullets(const Output& out);   // gfx/bullets
void GenerateEffects(const Output& out);   // gfx/effects
void GeneratePowerups(const Output& out);  // gfx/powerups

} // namespace assetgen::sprites
