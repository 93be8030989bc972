#pragma once
// The sprite families. Enemy pictures are drawn by the frame functions below and written through
// the enemy table (enemies.cpp); the other families each write their own files.
#include <cairo.h>

#include "art/sprites/draw.h"
#include "common/output.h"

namespace assetgen::sprites {

void GenerateEnemies(const Output& out);  // gfx/enemies: every type, from the enemy table
void GenerateShip(const Output& out);     // gfx/ship
void GenerateBullets(const Output& out);  // gfx/bullets
void GenerateEffects(const Output& out);  // gfx/effects
void GeneratePowerups(const Output& out); // gfx/powerups

// The ship at level flight, centred on the origin, nose up, about 60 px long (for icons).
void DrawShipIcon(cairo_t* cr);

// Enemy frame functions: one frame at phase t in [0, 1] (ping-pong or loop, as the enemy table's
// family says), with the origin at the cell centre. Insects, creatures and machines draw in a
// ±30 px space; rocks and bosses fill their own, larger cells.

// Insects (insects.cpp).
void DrawSpider(cairo_t* cr, double t);
void DrawBirdy(cairo_t* cr, double t);
void DrawMantis(cairo_t* cr, double t);
void DrawClamper(cairo_t* cr, double t);
void DrawAphid(cairo_t* cr, double t);
void DrawScreecher(cairo_t* cr, double t);
void DrawSlimey(cairo_t* cr, double t);
void DrawEggplant(cairo_t* cr, double t);
void DrawSkeeter(cairo_t* cr, double t);
void DrawLadybugLeft(cairo_t* cr, double t);
void DrawLadybugRight(cairo_t* cr, double t);
void DrawHornet(cairo_t* cr, double t);
// Creatures (creatures.cpp).
void DrawScardey(cairo_t* cr, double t);
void DrawAmeoba(cairo_t* cr, double t);
void DrawBouncer(cairo_t* cr, double t);
void DrawMentalist(cairo_t* cr, double t);
void DrawPredor(cairo_t* cr, double t);
void DrawHopper(cairo_t* cr, double t);
void DrawLarvae(cairo_t* cr, double t);
void DrawSwimmer(cairo_t* cr, double t);
void DrawMoth(cairo_t* cr, double t);
void DrawHopper2(cairo_t* cr, double t);
void DrawSwami(cairo_t* cr, double t);
// Machines (machines.cpp).
void DrawRobot1(cairo_t* cr, double t);
void DrawRobot2(cairo_t* cr, double t);
void DrawRobot3(cairo_t* cr, double t);
void DrawMine(cairo_t* cr, double t);
// Rocks (asteroids.cpp): painted texel by texel over the whole cell.
void DrawLargeAsteroid(cairo_t* cr, double t);
void DrawMediumAsteroid(cairo_t* cr, double t);
// Bosses (bosses.cpp).
void DrawHiveQueen(cairo_t* cr, double t);
void DrawBrainShip(cairo_t* cr, double t);

} // namespace assetgen::sprites
