#pragma once
// One palette per family, so a wave reads as insects, machines, rocks or a boss at a glance.
#include "art/sprites/draw.h"

namespace assetgen::sprites {

// Insects and creatures: saturated organic colours with a mint back light.
inline constexpr Rgb kInsectRim{0.55, 1.0, 0.85};
inline constexpr Rgb kInsectViolet{0.45, 0.22, 0.75};
inline constexpr Rgb kInsectGold{1.0, 0.78, 0.18};
inline constexpr Rgb kInsectAmber{1.0, 0.55, 0.1};
inline constexpr Rgb kInsectLime{0.45, 0.82, 0.18};
inline constexpr Rgb kInsectTeal{0.1, 0.62, 0.66};
inline constexpr Rgb kInsectMagenta{0.82, 0.2, 0.62};
inline constexpr Rgb kSlimeGreen{0.35, 0.85, 0.25};
inline constexpr Rgb kEggplantPurple{0.42, 0.12, 0.55};
inline constexpr Rgb kLadyRed{0.9, 0.12, 0.12};
inline constexpr Rgb kEyeRed{1.0, 0.15, 0.1};
inline constexpr Rgb kEyeAmber{1.0, 0.75, 0.1};
inline constexpr Rgb kElectric{0.45, 0.8, 1.0};

// Machines: gun-metal blue with cyan lamps and warning red.
inline constexpr Rgb kMetal{0.5, 0.58, 0.7};
inline constexpr Rgb kMetalDark{0.28, 0.32, 0.42};
inline constexpr Rgb kMachineRim{0.5, 0.9, 1.0};
inline constexpr Rgb kLampCyan{0.3, 0.95, 1.0};
inline constexpr Rgb kLampRed{1.0, 0.2, 0.15};

// Mines: black iron with hot red.
inline constexpr Rgb kMineIron{0.24, 0.22, 0.28};
inline constexpr Rgb kMineRim{1.0, 0.45, 0.3};

// Rocks: warm grey-brown lit by a pale sun.
inline constexpr Rgb kRockLight{0.95, 0.85, 0.72};
inline constexpr Rgb kRockDark{0.38, 0.3, 0.27};

// Bosses: deep crimson and violet armour, gold trim, hot magenta energy.
inline constexpr Rgb kBossCrimson{0.6, 0.08, 0.18};
inline constexpr Rgb kBossViolet{0.32, 0.1, 0.5};
inline constexpr Rgb kBossGold{1.0, 0.78, 0.3};
inline constexpr Rgb kBossRim{1.0, 0.5, 0.8};
inline constexpr Rgb kBossEnergy{1.0, 0.3, 0.85};

} // namespace assetgen::sprites
