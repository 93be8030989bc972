#include "audio/synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {
namespace {

// The two-sample PolyBLEP residual that smooths a step at phase 0 (dt = phase increment).
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

double MidiToHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}
double DbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}
double GainToDb(double gain) {
    return 20.0 * std::log10(std::max(gain, 1e-12));
}

double Oscillator::Advance(double hz) {
    double p = phase_;
    phase_ += hz / kRate;
    phase_ -= std::floor(phase_);
    return p;
}

float Oscillator::Sine(double hz) {
    return float(std::sin(2.0 * kPi * Advance(hz)));
}

float Oscillator::Triangle(double hz) {
    double p = Advance(hz);
    return float(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
}

float Oscillator::Saw(double hz) {
    double dt = hz / kRate;
    double p = Advance(hz);
    return float(2.0 * p - 1.0 - PolyBlep(p, dt));
}

float Oscillator::Pulse(double hz, double width) {
    double dt = hz / kRate;
    double p = Advance(hz);
    double v = p < width ? 1.0 : -1.0;
    v += PolyBlep(p, dt);
    double q = p - width;
    v -= PolyBlep(q - std::floor(q), dt);
    return float(v);
}

float Adsr(double t, double held, double attack, double decay, double sustain, double release) {
    if (t < 0) return 0;
    auto levelAt = [&](double u) {
        if (u < attack) return u / attack;
        u -= attack;
        if (u < decay) return 1.0 - (1.0 - sustain) * (u / decay);
        return sustain;
    };
    if (t < held) return float(levelAt(t));
    double r = t - held;
    if (r >= release) return 0;
    return float(levelAt(held) * (1.0 - r / release) * (1.0 - r / release));
}

float Decay(double t, double tau) {
    if (t < 0) return 0;
    double attack = std::min(t / 0.002, 1.0);
    return float(attack * std::exp(-t / tau));
}

void Svf::Set(double cutoffHz, double q) {
    double fc = std::clamp(cutoffHz, 10.0, kRate * 0.45);
    double g = std::tan(kPi * fc / kRate);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

void Svf::Tick(float x) {
    double v3 = x - ic2_;
    double v1 = a1_ * ic1_ + a2_ * v3;
    double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    low_ = float(v2);
    band_ = float(v1);
    high_ = float(x - k_ * v1 - v2);
}

float Svf::Low(float x) {
    Tick(x);
    return low_;
}

float Svf::High(float x) {
    Tick(x);
    return high_;
}

float Svf::Band(float x) {
    Tick(x);
    return band_;
}

void OnePole::Set(double cutoffHz) {
    a_ = 1.0 - std::exp(-2.0 * kPi * cutoffHz / kRate);
}

float OnePole::Low(float x) {
    y_ += a_ * (x - y_);
    return float(y_);
}

Reverb::Reverb(double roomSize, double damping)
    : feedback_(float(0.7 + 0.28 * roomSize)), damp_(float(0.1 + 0.5 * damping)) {
    // Mutually prime delays (in samples at 44.1 kHz), a classic set of tunings.
    const int combs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const int passes[] = {556, 441, 341, 225};
    const int spread = 23;
    for (int c : combs) {
        combsL_.push_back({std::vector<float>(size_t(c)), 0, 0});
        combsR_.push_back({std::vector<float>(size_t(c + spread)), 0, 0});
    }
    for (int p : passes) {
        passesL_.push_back({std::vector<float>(size_t(p)), 0});
        passesR_.push_back({std::vector<float>(size_t(p + spread)), 0});
    }
}

float Reverb::Run(std::vector<Comb>& combs, std::vector<AllPass>& passes, float x) {
    float out = 0;
    for (Comb& c : combs) {
        float y = c.buffer[c.pos];
        c.store = y * (1 - damp_) + c.store * damp_;
        c.buffer[c.pos] = x + c.store * feedback_;
        if (++c.pos == c.buffer.size()) c.pos = 0;
        out += y;
    }
    for (AllPass& a : passes) {
        float b = a.buffer[a.pos];
        a.buffer[a.pos] = out + b * 0.5f;
        if (++a.pos == a.buffer.size()) a.pos = 0;
        out = b - out;
    }
    return out;
}

void Reverb::Process(float x, float& left, float& right) {
    float in = x * 0.015f;
    left += Run(combsL_, passesL_, in);
    right += Run(combsR_, passesR_, in);
}

float Delay::Process(float x, float feedback) {
    float y = buffer_[pos_];
    buffer_[pos_] = x + y * feedback;
    if (++pos_ == buffer_.size()) pos_ = 0;
    return y;
}

float SoftLimit(float x, float knee, float ceiling) {
    float a = std::fabs(x);
    if (a <= knee) return x;
    float room = ceiling - knee;
    float y = knee + room * std::tanh((a - knee) / room);
    return x < 0 ? -y : y;
}

void NormalizePeak(std::vector<float>& samples, float peak) {
    float m = 0;
    for (float s : samples)
        m = std::max(m, std::fabs(s));
    if (m <= 0) return;
    float g = peak / m;
    for (float& s : samples)
        s *= g;
}

} // namespace assetgen::synth
