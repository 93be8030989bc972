#include "shell/helpers.h"

#include <cmath>

#include "media/fatal_error.h"
#include "media/media.h"

std::string FormatThousands(const std::string& digits) {
    std::string result;
    result.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) result += ',';
        result += digits[i];
    }
    return result;
}

float FloatMod(float a, float b) {
    return b * (a / b - std::floor(a / b));
}

int WeightedRandom(const std::vector<float>& weights) {
    float sum = 0;
    for (float w : weights)
        sum += w;
    float draw = Media::RandomFloat(0, sum);
    float running = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        running += weights[i];
        if (running >= draw) return int(i);
    }
    FatalError("Error in WeightedRandom(): Exceeded Index!");
}
