#pragma once
// Building blocks of the synthesized sound: oscillators, envelopes, filters, noise, delay,
// reverb and a soft limiter. All of them are deterministic; times are in seconds, frequencies
// in Hz, samples in [-1, 1] at kRate.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen::synth {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// Frequency of a MIDI note number (69 = A4 = 440 Hz); fractional notes bend the pitch.
double MidiToHz(double note);
double DbToGain(double db);
double GainToDb(double gain);

// White noise in [-1, 1] from a fixed seed.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    float Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return float(int32_t(state_)) * (1.0f / 2147483648.0f);
    }

private:
    uint32_t state_;
};

// A phase accumulator with band-limited (PolyBLEP) saw and square waves, so that bright notes do
// not alias into whistles.
class Oscillator {
public:
    explicit Oscillator(double phase = 0) : phase_(phase) {}
    float Sine(double hz);
    float Triangle(double hz);
    float Saw(double hz);
    // Pulse with duty cycle `width` (0.5 = square).
    float Pulse(double hz, double width);

private:
    double Advance(double hz);
    double phase_; // 0..1
};

// Attack-decay-sustain-release level at time t of a note held for `held` seconds.
float Adsr(double t, double held, double attack, double decay, double sustain, double release);
// Exponential decay with time constant tau, starting at 1 (after a tiny attack against clicks).
float Decay(double t, double tau);

// Zero-delay-feedback state-variable filter (Simper's form): stable under fast cutoff changes.
class Svf {
public:
    // q: 0.5 (soft) .. 10 (ringing).
    void Set(double cutoffHz, double q);
    float Low(float x);
    float High(float x);
    float Band(float x);

private:
    void Tick(float x);
    double a1_ = 0, a2_ = 0, a3_ = 0, k_ = 1;
    double ic1_ = 0, ic2_ = 0;
    float low_ = 0, band_ = 0, high_ = 0;
};

// One-pole low-pass; High() gives the complementary high-pass.
class OnePole {
public:
    void Set(double cutoffHz);
    float Low(float x);
    float High(float x) { return x - Low(x); }

private:
    double a_ = 1, y_ = 0;
};

// Stereo reverb after Schroeder and Moorer: parallel damped combs into serial all-passes, with
// slightly different delays per side for width.
class Reverb {
public:
    // roomSize 0..1 (decay), damping 0..1 (darker tails).
    Reverb(double roomSize, double damping);
    // Adds the wet signal of the mono input x to left and right.
    void Process(float x, float& left, float& right);

private:
    struct Comb {
        std::vector<float> buffer;
        size_t pos = 0;
        float store = 0;
    };
    struct AllPass {
        std::vector<float> buffer;
        size_t pos = 0;
    };
    float Run(std::vector<Comb>& combs, std::vector<AllPass>& passes, float x);
    std::vector<Comb> combsL_, combsR_;
    std::vector<AllPass> passesL_, passesR_;
    float feedback_, damp_;
};

// Feedback delay line of a fixed length in samples.
class Delay {
public:
    explicit Delay(size_t samples) : buffer_(samples ? samples : 1) {}
    // Returns the delayed sample and writes x + feedback × delayed.
    float Process(float x, float feedback);

private:
    std::vector<float> buffer_;
    size_t pos_ = 0;
};

// Memoryless soft limiter: linear below `knee`, then bends smoothly towards `ceiling`, never
// reaching it. Memoryless so that a looped piece stays seamless.
float SoftLimit(float x, float knee, float ceiling);

// Scales a buffer so that its largest magnitude is `peak`.
void NormalizePeak(std::vector<float>& samples, float peak);

} // namespace assetgen::synth
