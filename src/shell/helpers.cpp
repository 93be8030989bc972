#include "shell/helpers.h"

#include <cmath>
#include <limits>

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

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

} // namespace

int64_t ParseLenientInteger(const std::string& line) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    int base = 10;
    if (i < line.size() && line[i] == '$') {
        base = 16;
        ++i;
    } else if (i < line.size() && line[i] == '%') {
        base = 2;
        ++i;
    }
    // Accumulate as a magnitude that stops growing at the int64 limit, so no input overflows.
    const uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = 0;
    for (; i < line.size(); ++i) {
        const int digit = DigitValue(line[i]);
        if (digit >= base) break;
        magnitude = magnitude > (limit - uint64_t(digit)) / uint64_t(base)
                        ? limit
                        : magnitude * uint64_t(base) + uint64_t(digit);
    }
    const int64_t value = int64_t(magnitude);
    return negative ? -value : value;
}
