// Entry point of the audio generator: sound effects and music.
#include <cmath>
#include <vector>

#include "audio/wav_writer.h"
#include "generators.h"

namespace assetgen {

void GenerateAudio(const Output& out) {
    const int rate = 44100;
    std::vector<float> s(rate / 4);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        s[i] = float(0.5 * std::exp(-t * 12) * std::sin(2 * M_PI * (1800 - 3000 * t) * t));
    }
    WriteWav(out.Path("sfx/bullet-0.wav"), s, rate);
}

} // namespace assetgen
