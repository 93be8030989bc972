// The enemy table: one line per enemy type, with the picture's family, glow and frame function.
// The cut of each picture (cell size, frame count) comes from the manifest.
#include <stdexcept>
#include <string>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"
#include "manifest.h"

namespace assetgen::sprites {
namespace {

// The family sets how frames are timed and placed; the palettes live in palette.h.
enum class Family { Insect, Creature, Machine, Rock, Boss };

struct EnemyArt {
    int type;         // the enemy type number; the picture is gfx/enemies/bug<type>.png
    const char* name; // the type's constant in the game
    Family family;
    Rgb glow;          // colour of the soft halo around the silhouette
    double glowRadius; // px
    void (*draw)(cairo_t* cr, double t);
};

constexpr Rgb kRockGlow{0.5, 0.6, 0.9};

const EnemyArt kEnemies[] = {
    {0, "SPIDER", Family::Insect, kInsectViolet, 4.5, DrawSpider},
    {1, "BIRDY", Family::Insect, kInsectGold, 4.5, DrawBirdy},
    {2, "MANTIS", Family::Insect, kInsectLime, 4.5, DrawMantis},
    {3, "CLAMPER", Family::Insect, kElectric, 4.5, DrawClamper},
    {4, "APHID", Family::Insect, kInsectLime, 4.5, DrawAphid},
    {5, "SCREECHER", Family::Insect, kInsectMagenta, 4.5, DrawScreecher},
    {6, "SLIMEY", Family::Insect, kSlimeGreen, 4.5, DrawSlimey},
    {7, "EGGPLANT", Family::Insect, kEggplantPurple, 4.5, DrawEggplant},
    {8, "SKEETER", Family::Insect, kInsectTeal, 4.5, DrawSkeeter},
    {9, "ROBOT1", Family::Machine, kLampCyan, 4.5, DrawRobot1},
    {10, "SCARDEY", Family::Creature, {0.5, 0.8, 1.0}, 4.5, DrawScardey},
    {11, "AMEOBA", Family::Creature, {0.3, 0.9, 0.6}, 4.5, DrawAmeoba},
    {12, "BOUNCER", Family::Creature, {1.0, 0.5, 0.2}, 4.5, DrawBouncer},
    {13, "ROBOT2", Family::Machine, kLampCyan, 4.5, DrawRobot2},
    {14, "LADYBUG_LEFT", Family::Insect, kLadyRed, 4.5, DrawLadybugLeft},
    {15, "LADYBUG_RIGHT", Family::Insect, kLadyRed, 4.5, DrawLadybugRight},
    {16, "HORNET", Family::Insect, kInsectGold, 4.5, DrawHornet},
    {17, "MINE", Family::Machine, kLampRed, 4.5, DrawMine},
    {18, "MENTALIST", Family::Creature, {0.9, 0.4, 1.0}, 4.5, DrawMentalist},
    {19, "PREDOR", Family::Creature, kEyeRed, 4.5, DrawPredor},
    {20, "HOPPER", Family::Creature, {0.95, 0.75, 0.2}, 4.5, DrawHopper},
    {21, "LARVAE", Family::Creature, {0.85, 0.85, 0.2}, 4.5, DrawLarvae},
    {22, "SWIMMER", Family::Creature, {0.3, 0.6, 1.0}, 4.5, DrawSwimmer},
    {23, "MOTH", Family::Creature, {0.7, 0.5, 0.9}, 4.5, DrawMoth},
    {24, "HOPPER2", Family::Creature, {0.3, 0.55, 1.0}, 4.5, DrawHopper2},
    {25, "SWAMI", Family::Creature, {0.75, 0.3, 0.9}, 4.5, DrawSwami},
    {26, "ROBOT3", Family::Machine, kLampCyan, 4.5, DrawRobot3},
    {27, "ASTEROID_LARGE", Family::Rock, kRockGlow, 3.2, DrawLargeAsteroid},
    {28, "ASTEROID_MEDIUM", Family::Rock, kRockGlow, 1.6, DrawMediumAsteroid},
    {29, "BOSS1", Family::Boss, kBossEnergy, 9, DrawHiveQueen},
    {30, "BOSS2", Family::Boss, kBossEnergy, 12, DrawBrainShip},
};

struct FamilyLook {
    bool loop;       // frames loop (0 → last → 0) instead of ping-ponging
    double strength; // peak halo alpha, below 0.5 so the halo never counts as solid
    double scale;    // of the frame function's space within the cell
};

FamilyLook Look(Family family) {
    switch (family) {
    case Family::Rock:
        return {true, 0.3, 1.0};
    case Family::Boss:
        return {false, 0.42, 1.0};
    default:
        return {false, 0.47, 0.92}; // leaves room for the halo inside the 64 px cell
    }
}

void WriteEnemy(const Output& out, const EnemyArt& enemy) {
    const PictureEntry& picture = FindPicture("gfx/enemies/bug" + std::to_string(enemy.type) + ".png");
    if (picture.cellW != picture.cellH) throw std::runtime_error(picture.path + ": enemy frames are square");
    const FamilyLook look = Look(enemy.family);
    const int cell = picture.cellW, count = picture.count;
    WriteGlowFrames(out, picture.path, cell, count, enemy.glow, enemy.glowRadius, look.strength,
                    [&](cairo_t* cr, int frame) {
                        cairo_translate(cr, cell / 2.0, cell / 2.0);
                        if (look.scale != 1.0) cairo_scale(cr, look.scale, look.scale);
                        enemy.draw(cr, look.loop ? LoopPhase(frame, count) : PingPong(frame, count));
                    });
}

} // namespace

void GenerateEnemies(const Output& out) {
    int expected = 0;
    for (const EnemyArt& enemy : kEnemies) {
        // The table is indexed by type: a gap or a repeat would leave a picture unwritten.
        if (enemy.type != expected++) throw std::runtime_error(std::string(enemy.name) + ": out of order");
        WriteEnemy(out, enemy);
    }
}

} // namespace assetgen::sprites
