#pragma once
// The music of sfx/music/: level1 … level11 and boss, rendered from the composer's notes into
// seamless stereo loops and written as Ogg Vorbis.
#include <cstddef>
#include <vector>

#include "audio/composition.h"
#include "common/output.h"

namespace assetgen {

// The twelve pieces, in the order level1 … level11, boss.
const std::vector<music::Plan>& MusicPlans();
size_t MusicPieceCount();

// Renders one piece as an interleaved stereo loop (synth::kRate): its last sample flows into its
// first, peaks stay below -1 dBFS and the loudness is the same for every piece.
std::vector<float> RenderMusic(const music::Plan& plan);

// Renders piece `index` of MusicPlans() and writes sfx/music/<name>.ogg.
void WriteMusicPiece(const Output& out, size_t index);

} // namespace assetgen
