#pragma once
// Checks a written sprite sheet against what the game relies on: the cell grid is present, the
// border of every cell is fully transparent, and (for pictures that take part in pixel-exact hit
// tests) every frame has solid texels (alpha >= 128). Throws std::runtime_error naming the fault.
#include <string>

#include "common/output.h"

namespace assetgen::sprites {

enum class Hits { Solid, Any };

void ValidateSheet(const Output& out, const std::string& relative, int cellW, int cellH, int count,
                   Hits hits);

} // namespace assetgen::sprites
