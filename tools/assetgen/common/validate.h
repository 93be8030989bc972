#pragma once
// Checks written pictures against the manifest: each is present and decodes, is cut into whole
// cells with at least the listed number, has solid texels (alpha >= 128) in every frame when it
// takes part in hit tests, and keeps every cell border fully transparent when it is drawn free in
// space. Throws std::runtime_error naming the first fault.
#include <string>
#include <vector>

#include "common/output.h"

namespace assetgen {

// Validates the written entries whose path starts with one of `prefixes` (each generator checks
// its own folders).
void ValidatePictures(const Output& out, const std::vector<std::string>& prefixes);

} // namespace assetgen
