#pragma once
// The sprite families; each writes its own files under the data root.
#include <cairo.h>

#include "art/sprites/draw.h"
#include "common/output.h"

namespace assetgen::sprites {

void GenerateInsects(const Output& out);   // gfx/enemies: spiders, bugs, bats, ladybugs, hornet
void GenerateCreatures(const Output& out); // gfx/enemies: ghosts, blobs, larvae, swimmers, mystics
void GenerateMachines(const Output& out);  // gfx/enemies: robots and the mine
void GenerateAsteroids(const Output& out); // gfx/enemies: bug27, bug28
void GenerateBosses(const Output& out);    // gfx/enemies: bug29, bug30
void GenerateShip(const Output& out);      // gfx/ship
void GenerateBullets(const Output& out);   // gfx/bullets
void GenerateEffects(const Output& out);   // gfx/effects
void GeneratePowerups(const Output& out);  // gfx/powerups

// The ship at level flight, centred on the origin, nose up, about 60 px long (for icons).
void DrawShipIcon(cairo_t* cr);

// Writes gfx/enemies/bug<type>.png: 16 ping-pong frames of 64 px, each drawn by `draw(cr, t)` with
// the origin at the cell centre and t the smooth ping-pong phase in [0, 1].
void WriteEnemyStrip(const Output& out, int type, Rgb glow, void (*draw)(cairo_t*, double));

} // namespace assetgen::sprites
