#include "audio/sfx.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "audio/synth.h"

namespace assetgen {
namespace {

using namespace synth;
using Buffer = std::vector<float>;

Buffer Make(double seconds) {
    return Buffer(size_t(seconds * kRate), 0.0f);
}

double Time(size_t i) {
    return double(i) / kRate;
}

// Exponential glide from a to b over `duration`, holding b afterwards.
double Glide(double t, double a, double b, double duration) {
    double u = std::clamp(t / duration, 0.0, 1.0);
    return a * std::pow(b / a, u);
}

// An FM bell: bright at the strike, mellowing as the modulation decays.
void AddBell(Buffer& b, double start, double hz, double amp, double tau, double ratio = 3.5) {
    Oscillator carrier, mod;
    size_t s0 = size_t(start * kRate);
    for (size_t i = s0; i < b.size(); ++i) {
        double t = Time(i - s0);
        double env = Decay(t, tau);
        if (env < 1e-4 && t > 0.01) break;
        double index = 2.5 * std::exp(-t / (tau * 0.3));
        float m = mod.Sine(hz * ratio);
        // Phase modulation: the modulator bends the carrier's frequency around hz.
        double f = hz * (1.0 + index * m * ratio * 0.1);
        b[i] += float(amp * env * carrier.Sine(f));
    }
}

// A plucked tone: a filtered pulse with a falling brightness.
void AddPluck(Buffer& b, double start, double hz, double amp, double tau, double width = 0.3) {
    Oscillator osc;
    Svf f;
    size_t s0 = size_t(start * kRate);
    for (size_t i = s0; i < b.size(); ++i) {
        double t = Time(i - s0);
        double env = Decay(t, tau);
        if (env < 1e-4 && t > 0.01) break;
        if ((i - s0) % 32 == 0) f.Set(hz * (1.5 + 10.0 * std::exp(-t / (tau * 0.4))), 0.9);
        b[i] += float(amp * env * f.Low(osc.Pulse(hz, width)));
    }
}

// Filtered noise with the band centre sliding from f0 to f1.
void AddNoiseSweep(Buffer& b, double start, double duration, double f0, double f1, double q, double amp,
                   double attack, uint32_t seed) {
    Noise n(seed);
    Svf f;
    size_t s0 = size_t(start * kRate);
    size_t s1 = std::min(b.size(), s0 + size_t(duration * kRate));
    for (size_t i = s0; i < s1; ++i) {
        double t = Time(i - s0);
        if ((i - s0) % 16 == 0) f.Set(Glide(t, f0, f1, duration), q);
        double u = t / duration;
        double env = std::min(u / attack, 1.0) * std::pow(1.0 - u, 1.5);
        b[i] += float(amp * env * f.Band(n.Next()));
    }
}

// A laser: a falling pulse zap with a bright attack, optionally doubled a fifth up.
Buffer Laser(double from, double to, double length, double width, int layers) {
    Buffer b = Make(length + 0.05);
    for (int layer = 0; layer < layers; ++layer) {
        Oscillator osc(0.1 * layer), sub;
        Svf f;
        f.Set(6000, 0.7);
        double detune = 1.0 + 0.012 * layer + (layer == 2 ? 0.5 : 0);
        for (size_t i = 0; i < b.size(); ++i) {
            double t = Time(i);
            double hz = Glide(t, from * detune, to * detune, length);
            double env = Decay(t, length * 0.35);
            float v = 0.6f * osc.Pulse(hz, width) + 0.4f * sub.Sine(hz * 0.5);
            b[i] += float(env * f.Low(v) / layers);
        }
    }
    return b;
}

// Explosion: a noise burst through a closing low-pass, a low thump and rumbling crackle.
Buffer Explosion(double length, double thumpHz, double brightness, uint32_t seed) {
    Buffer b = Make(length);
    Noise n(seed), crackle(seed * 7 + 1);
    Svf lp, lp2;
    Oscillator thump;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        if (i % 16 == 0) {
            lp.Set(Glide(t, 7000 * brightness, 180, length * 0.6), 0.8);
            lp2.Set(Glide(t, 1200, 90, length), 0.7);
        }
        double body = Decay(t, length * 0.22);
        double tail = Decay(t, length * 0.4);
        float noise = lp.Low(n.Next());
        float rumble = lp2.Low(crackle.Next()) * 2.5f;
        float low = thump.Sine(Glide(t, thumpHz * 2.2, thumpHz * 0.6, 0.25)) * float(Decay(t, 0.12));
        // Sparse crackles: bursts of noise gated by a second noise source.
        float gate = crackle.Next() > 0.992f ? 1.0f : 0.0f;
        b[i] = float(0.7 * body * noise + 0.45 * tail * rumble + 0.8 * low + 0.15 * tail * gate);
    }
    return b;
}

// A wet splat: a low "bloop" with bubbly noise.
Buffer Splat(double pitch, double length, uint32_t seed) {
    Buffer b = Make(length);
    Noise n(seed);
    Svf f, bubbles;
    Oscillator body, wobble;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        if (i % 16 == 0) {
            f.Set(Glide(t, 2500, 300, length * 0.5), 1.5);
            bubbles.Set(pitch * 3 * (1.0 + 0.5 * std::sin(2 * kPi * 23 * t)), 4.0);
        }
        double hz = Glide(t, pitch * 2.0, pitch * 0.7, 0.12) * (1.0 + 0.1 * wobble.Sine(17));
        float v = 0.8f * body.Sine(hz) * float(Decay(t, 0.08));
        v += 0.6f * f.Low(n.Next()) * float(Decay(t, length * 0.25));
        v += 0.35f * bubbles.Band(n.Next()) * float(Decay(t, length * 0.35));
        b[i] = v;
    }
    return b;
}

// A growling cry: a sawtooth through moving vowel formants with vibrato and breath. Pitched so
// that it still sounds like a beast when played an octave lower.
Buffer Cry(double baseHz, double length, double vowelShift, uint32_t seed) {
    Buffer b = Make(length);
    Noise n(seed);
    Oscillator saw, saw2, vib, rough;
    Svf f1, f2, f3;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        double u = t / length;
        // Pitch rises into the scream and falls away at the end.
        double contour = 1.0 + 0.6 * std::sin(kPi * std::min(u * 1.3, 1.0)) - 0.3 * u;
        double hz = baseHz * contour * (1.0 + 0.03 * vib.Sine(6.5)) * (1.0 + 0.02 * rough.Sine(31));
        if (i % 16 == 0) {
            double open = std::sin(kPi * std::min(u * 1.4, 1.0)); // mouth opening
            f1.Set((400 + 500 * open) * vowelShift, 5.0);
            f2.Set((900 + 900 * open) * vowelShift, 6.0);
            f3.Set(2600 * vowelShift, 4.0);
        }
        float src = 0.6f * saw.Saw(hz) + 0.4f * saw2.Saw(hz * 1.007) + 0.25f * n.Next();
        float v = f1.Band(src) + 0.7f * f2.Band(src) + 0.35f * f3.Band(src);
        double env = Adsr(t, length * 0.7, 0.08, 0.2, 0.8, length * 0.3);
        b[i] = float(env * v);
    }
    return b;
}

// A whoosh for the loading panel: noise sweeping up (in) or down (out) with a soft tone.
Buffer Whoosh(bool in) {
    const double length = 0.45;
    Buffer b = Make(length);
    Noise n(in ? 11 : 12);
    Svf f;
    Oscillator tone;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        double u = t / length;
        double sweep = in ? Glide(t, 300, 3500, length) : Glide(t, 3500, 250, length);
        if (i % 16 == 0) f.Set(sweep, 2.0);
        // Swells towards the panel's arrival (in) or trails off from its start (out).
        double env = in ? std::pow(std::sin(kPi * std::pow(u, 0.7)), 1.5)
                        : std::pow(std::sin(kPi * std::pow(u, 1.4)), 1.5);
        b[i] = float(env * (f.Band(n.Next()) + 0.15 * tone.Sine(sweep * 0.25)));
    }
    return b;
}

// A rising arpeggio of bell notes (MIDI numbers), `step` seconds apart.
Buffer Chime(const std::vector<double>& notes, double step, double tau, double tail = 0.6) {
    Buffer b = Make(step * double(notes.size()) + tail + tau * 2);
    for (size_t k = 0; k < notes.size(); ++k) {
        double hz = MidiToHz(notes[k]);
        AddBell(b, step * double(k), hz, 0.5, tau);
        AddPluck(b, step * double(k), hz * 0.5, 0.25, tau * 0.5, 0.5);
    }
    return b;
}

void Mix(Buffer& dst, const Buffer& src, double gain, double start = 0) {
    size_t s0 = size_t(start * kRate);
    if (dst.size() < s0 + src.size()) dst.resize(s0 + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[s0 + i] += float(gain * src[i]);
}

// Fades the first and last milliseconds so that no effect starts or ends on a click.
void FadeEdges(Buffer& b, double in, double out) {
    size_t n = std::min(b.size(), size_t(in * kRate));
    for (size_t k = 0; k < n; ++k)
        b[k] *= float(k) / float(n);
    n = std::min(b.size(), size_t(out * kRate));
    for (size_t k = 0; k < n; ++k)
        b[b.size() - 1 - k] *= float(k) / float(n);
}

// Pulse waves of uneven width carry an offset; a gentle high-pass removes it (and rumble below
// what any speaker plays).
void RemoveDc(Buffer& b) {
    OnePole lowCut;
    lowCut.Set(25);
    for (float& s : b)
        s = lowCut.High(s);
}

Buffer EnemyShot(double f0, double f1, double length, double width, double wobbleHz) {
    Buffer b = Make(length);
    Oscillator osc, wob;
    Svf f;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        double hz = Glide(t, f0, f1, length) * (1.0 + 0.15 * wob.Sine(wobbleHz));
        if (i % 16 == 0) f.Set(hz * 4, 2.0);
        b[i] = float(Decay(t, length * 0.35) * f.Low(osc.Pulse(hz, width)));
    }
    return b;
}

Buffer WaveShot() {
    // A warbling descending swell with a ring, like a ripple sent down the screen.
    Buffer b = EnemyShot(900, 160, 0.55, 0.5, 28);
    Buffer ring = Make(0.55);
    Oscillator o, m;
    for (size_t i = 0; i < ring.size(); ++i) {
        double t = Time(i);
        ring[i] = float(0.4 * Decay(t, 0.15) * o.Sine(Glide(t, 1200, 300, 0.5) * (1 + 0.3 * m.Sine(40))));
    }
    Mix(b, ring, 1.0);
    return b;
}

Buffer SlimeShot() {
    // A gloopy spit: a bending low tone with bubbles.
    Buffer b = Splat(180, 0.35, 71);
    Buffer spit = EnemyShot(300, 700, 0.15, 0.3, 0);
    Mix(b, spit, 0.5);
    return b;
}

Buffer EggShot() {
    // A hollow "plop": a sine bending up quickly, with a soft click.
    Buffer b = Make(0.3);
    Oscillator o, o2;
    Noise n(91);
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        double hz = Glide(t, 220, 660, 0.06);
        b[i] = float(Decay(t, 0.07) * (o.Sine(hz) + 0.3 * o2.Triangle(hz * 2)) +
                     0.2 * Decay(t, 0.004) * n.Next());
    }
    return b;
}

Buffer BoltShot() {
    // Electric zap: buzzing saw with noise crackle gated at a high rate.
    Buffer b = Make(0.4);
    Noise n(31);
    Oscillator saw, gate;
    Svf hp;
    hp.Set(900, 0.7);
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        double g = gate.Pulse(Glide(t, 60, 18, 0.4), 0.5) > 0 ? 1.0 : 0.35;
        float v = 0.5f * saw.Saw(Glide(t, 1800, 400, 0.35)) + 0.7f * n.Next();
        b[i] = float(Decay(t, 0.12) * g * hp.High(v));
    }
    return b;
}

Buffer BossVolley(double pitch, double length, uint32_t seed) {
    // A heavy blast: a deep falling square with a noise punch.
    Buffer b = EnemyShot(pitch * 3, pitch, length, 0.4, 9);
    Buffer punch = Explosion(length, pitch, 0.5, seed);
    Mix(b, punch, 0.5);
    return b;
}

Buffer RocketLaunch() {
    // Ignition click, a rising hiss and a low thrum.
    Buffer b = Make(0.6);
    AddNoiseSweep(b, 0, 0.6, 500, 4000, 0.9, 1.0, 0.08, 41);
    Oscillator thrum, wob;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        b[i] +=
            float(0.5 * Decay(t, 0.2) * thrum.Saw(Glide(t, 90, 140, 0.5) * (1 + 0.05 * wob.Sine(30))) * 0.6);
    }
    return b;
}

Buffer ShieldPop() {
    // A glassy bubble bursting: a quick upward sweep and a bright ring with noise.
    Buffer b = Make(0.6);
    Oscillator o;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        b[i] = float(0.6 * Decay(t, 0.05) * o.Sine(Glide(t, 400, 2400, 0.05)));
    }
    AddBell(b, 0.03, 1760, 0.35, 0.18, 2.76);
    AddBell(b, 0.03, 2637, 0.2, 0.12, 1.41);
    AddNoiseSweep(b, 0.02, 0.25, 6000, 2000, 1.0, 0.5, 0.02, 51);
    return b;
}

Buffer Spark() {
    Buffer b = Make(0.5);
    Noise n(61);
    Svf hp;
    hp.Set(2500, 0.8);
    Oscillator buzz;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        // Crackle: noise gated by randomly triggered short bursts.
        double burst = std::fmod(t * 37.0 + 0.3 * std::sin(t * 91.0), 1.0) < 0.35 ? 1.0 : 0.15;
        float v = hp.High(n.Next()) + 0.3f * buzz.Saw(120);
        b[i] = float(Decay(t, 0.12) * burst * v);
    }
    return b;
}

Buffer Shockwave() {
    Buffer b = Explosion(0.9, 55, 0.4, 81);
    Buffer w = Make(0.9);
    AddNoiseSweep(w, 0, 0.9, 2000, 150, 1.2, 1.0, 0.05, 82);
    Mix(b, w, 0.7);
    return b;
}

Buffer EggSplat() {
    // A shell crack (short bright clicks) then the splat.
    Buffer b = Splat(240, 0.5, 101);
    Noise n(102);
    Svf hp;
    hp.Set(3000, 1.0);
    for (size_t i = 0; i < size_t(0.06 * kRate); ++i) {
        double t = Time(i);
        double clicks = std::fmod(t, 0.018) < 0.003 ? 1.0 : 0.0;
        b[i] += float(0.8 * clicks * hp.High(n.Next()));
    }
    return b;
}

Buffer EnemyDivide() {
    // A stretchy "bloop-bloop": two bubbles moving apart in pitch.
    Buffer b = Make(0.45);
    Oscillator a, c;
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        double env = Adsr(t, 0.3, 0.02, 0.1, 0.7, 0.15);
        double wobble = 1 + 0.08 * std::sin(2 * kPi * 14 * t);
        b[i] = float(env * 0.5 *
                     (a.Sine(Glide(t, 300, 520, 0.3) * wobble) + c.Sine(Glide(t, 300, 200, 0.3) * wobble)));
    }
    return b;
}

Buffer ShipExplode() {
    Buffer b = Explosion(1.8, 45, 1.0, 111);
    // A falling whine: the ship's engine dying.
    Oscillator o;
    for (size_t i = 0; i < size_t(0.9 * kRate); ++i) {
        double t = Time(i);
        b[i] += float(0.25 * Decay(t, 0.3) * o.Saw(Glide(t, 1400, 80, 0.9)));
    }
    return b;
}

Buffer BossExplode() {
    // A chain of blasts growing into one long roar.
    Buffer b = Make(3.5);
    const double times[] = {0.0, 0.18, 0.4, 0.55, 0.8};
    uint32_t seed = 121;
    for (double at : times)
        Mix(b, Explosion(1.4, 50, 0.9, seed++), 0.45, at);
    Mix(b, Explosion(2.5, 35, 1.0, seed), 0.9, 1.0);
    return b;
}

Buffer GameOver() {
    // A slow descending minor phrase over a low drone: the sting under the banner.
    Buffer b = Make(3.4);
    const double notes[] = {64, 62, 60, 59, 55};
    const double starts[] = {0.0, 0.35, 0.7, 1.05, 1.5};
    for (int k = 0; k < 5; ++k) {
        AddPluck(b, starts[k], MidiToHz(notes[k]), 0.5, k == 4 ? 0.9 : 0.35, 0.5);
        AddBell(b, starts[k], MidiToHz(notes[k] + 12), 0.18, k == 4 ? 0.8 : 0.3);
    }
    Oscillator d1, d2;
    Svf f;
    f.Set(600, 0.7);
    for (size_t i = 0; i < b.size(); ++i) {
        double t = Time(i);
        double env = Adsr(t, 2.6, 0.4, 0.5, 0.8, 0.8);
        b[i] += float(0.3 * env * f.Low(0.5f * d1.Saw(MidiToHz(40)) + 0.5f * d2.Saw(MidiToHz(40.08))));
    }
    return b;
}

Buffer TitleJingle() {
    // A bright rising fanfare with bells and a final chord that rings out (about 3 s).
    Buffer b = Make(3.6);
    const double melody[] = {62, 69, 74, 72, 74, 78, 81};
    const double starts[] = {0.0, 0.15, 0.3, 0.6, 0.75, 0.9, 1.2};
    for (int k = 0; k < 7; ++k) {
        AddBell(b, starts[k], MidiToHz(melody[k]), 0.35, k == 6 ? 1.0 : 0.3);
        AddPluck(b, starts[k], MidiToHz(melody[k] - 12), 0.3, 0.25, 0.4);
    }
    const double chord[] = {50, 57, 62, 66, 69};
    for (double n : chord) {
        Oscillator a, c;
        Svf f;
        size_t s0 = size_t(1.2 * kRate);
        for (size_t i = s0; i < b.size(); ++i) {
            double t = Time(i - s0);
            if ((i - s0) % 32 == 0) f.Set(800 + 2000 * std::exp(-t / 0.8), 0.8);
            double env = Adsr(t, 1.4, 0.05, 0.6, 0.6, 1.0);
            b[i] += float(0.12 * env * f.Low(0.5f * a.Saw(MidiToHz(n)) + 0.5f * c.Saw(MidiToHz(n) * 1.004)));
        }
    }
    return b;
}

Buffer Sneaker() {
    // Speed-up: a fast upward whoosh with a quick run of notes.
    Buffer b = Make(0.8);
    AddNoiseSweep(b, 0, 0.4, 400, 6000, 1.5, 0.6, 0.3, 131);
    Mix(b, Chime({72, 76, 79, 84, 88}, 0.045, 0.15, 0.2), 0.8);
    return b;
}

Buffer Barrel() {
    // A mechanical "cha-chunk" (loading the guns) and a chime.
    Buffer b = Make(0.9);
    Noise n(141);
    Svf bp;
    bp.Set(1800, 3.0);
    for (size_t i = 0; i < size_t(0.25 * kRate); ++i) {
        double t = Time(i);
        double hits = Decay(t, 0.02) + (t > 0.11 ? Decay(t - 0.11, 0.03) : 0);
        b[i] += float(hits * bp.Band(n.Next()) * 2.5);
    }
    Mix(b, Chime({67, 74}, 0.07, 0.25, 0.2), 0.7, 0.2);
    return b;
}

Buffer Coins() {
    // A jingle of coins: many short bells at scattered high pitches.
    Buffer b = Make(0.9);
    const double pitches[] = {2637, 3136, 2794, 3520, 2960, 3951};
    for (int k = 0; k < 6; ++k)
        AddBell(b, 0.045 * k + 0.01 * (k % 2), pitches[k], 0.3, 0.12, 1.41);
    Mix(b, Chime({79, 84}, 0.08, 0.3, 0.2), 0.5);
    return b;
}

Buffer Fruit(double root, bool crunch, uint32_t seed) {
    // A juicy pluck arpeggio; the apple adds a bite.
    Buffer b = Chime({root, root + 4, root + 7, root + 12}, 0.06, 0.25);
    if (crunch)
        AddNoiseSweep(b, 0, 0.08, 3000, 1500, 1.2, 0.8, 0.05, seed);
    else {
        Buffer s = Splat(300, 0.25, seed);
        Mix(b, s, 0.35);
    }
    return b;
}

Buffer ShieldCollect() {
    // A shimmering rise: detuned bells over a rising filtered pad.
    Buffer b = Chime({67, 71, 74, 79, 83}, 0.05, 0.4);
    Oscillator a, c;
    Svf f;
    for (size_t i = 0; i < size_t(0.7 * kRate); ++i) {
        double t = Time(i);
        if (i % 32 == 0) f.Set(Glide(t, 400, 5000, 0.6), 2.0);
        b[i] += float(0.2 * Adsr(t, 0.4, 0.2, 0.1, 0.8, 0.3) * f.Low(a.Saw(392) + c.Saw(392 * 1.01)));
    }
    return b;
}

Buffer ExtraLife() {
    // A little major fanfare: the happiest sound of the game.
    Buffer b = Chime({72, 76, 79, 84, 79, 84, 88}, 0.08, 0.3, 0.8);
    return b;
}

struct Recipe {
    const char* name;
    std::function<Buffer()> make;
    double peakDb; // peak level of the finished effect; the game sets the playing volume
};

} // namespace

std::vector<SoundEffect> MakeSoundEffects() {
    // Laser levels 1-4: each level brighter and thicker than the one before.
    const std::vector<Recipe> recipes = {
        {"loading-flyin", [] { return Whoosh(true); }, -3},
        {"loading-flyout", [] { return Whoosh(false); }, -3},
        {"gameover", GameOver, -2},
        {"enemy_divide", EnemyDivide, -1},
        {"boss1_cry", [] { return Cry(130, 1.4, 1.0, 151); }, -1},
        {"boss2_cry", [] { return Cry(90, 1.8, 0.8, 152); }, -1},
        {"bossexplode", BossExplode, -1},
        {"shipexplode", ShipExplode, -1},
        {"shieldpop", ShieldPop, -1},
        {"bullet-0", [] { return Laser(1600, 500, 0.16, 0.5, 1); }, -1},
        {"bullet-1", [] { return Laser(1800, 520, 0.18, 0.35, 2); }, -1},
        {"bullet-2", [] { return Laser(2000, 480, 0.2, 0.3, 3); }, -1},
        {"bullet-3", [] { return Laser(2300, 420, 0.22, 0.25, 3); }, -1},
        {"bullet-4", RocketLaunch, -1},
        {"bullet-5", WaveShot, -1},
        {"bullet-6", [] { return BossVolley(70, 0.5, 161); }, -1},
        {"bullet-7", SlimeShot, -1},
        {"bullet-8", [] { return EnemyShot(700, 300, 0.15, 0.5, 0); }, -6},
        {"bullet-9", [] { return BossVolley(50, 0.6, 162); }, -1},
        {"bullet-10", [] { return EnemyShot(800, 400, 0.15, 0.4, 10); }, -6},
        {"bullet-11", [] { return EnemyShot(500, 250, 0.2, 0.3, 0); }, -6},
        {"bullet-12", BoltShot, -1},
        {"bullet-13", [] { return EnemyShot(600, 1200, 0.15, 0.5, 0); }, -6},
        {"bullet-14", [] { return EnemyShot(1000, 500, 0.12, 0.3, 20); }, -6},
        {"bullet-15", [] { return EnemyShot(400, 200, 0.2, 0.5, 5); }, -6},
        {"bullet-16", EggShot, -1},
        {"effect-explosion", [] { return Explosion(1.1, 60, 0.8, 171); }, -1},
        {"effect-slime_green", [] { return Splat(150, 0.5, 172); }, -1},
        {"effect-eggsplosion", EggSplat, -1},
        {"effect-shockwave", Shockwave, -1},
        {"effect-spark", Spark, -1},
        {"powerup1", [] { return Fruit(67, false, 181); }, -1},
        {"powerup2", [] { return Fruit(72, true, 182); }, -1},
        {"powerup3", Coins, -1},
        {"powerup4",
         [] {
             Buffer b = RocketLaunch();
             Mix(b, Chime({74, 81}, 0.08, 0.3), 0.8, 0.1);
             return b;
         },
         -1},
        {"powerup5", Barrel, -1},
        {"powerup6",
         [] {
             return Chime({84, 91, 96}, 0.05, 0.35);
         },
         -1},
        {"powerup7",
         [] {
             return Chime({86, 93, 98}, 0.05, 0.35);
         },
         -1},
        {"powerup8",
         [] {
             return Chime({88, 95, 100}, 0.05, 0.35);
         },
         -1},
        {"powerup9", ShieldCollect, -1},
        {"powerup10", ExtraLife, -1},
        {"powerup11", Sneaker, -1},
        {"powerup12",
         [] {
             return Chime({72, 79}, 0.07, 0.3);
         },
         -1},
        // The weapon-upgrade chimes climb with the weapon level; the last one (already at the top)
        // is a full bright chord.
        {"powerup12a",
         [] {
             return Chime({60, 67}, 0.07, 0.3);
         },
         -1},
        {"powerup12b",
         [] {
             return Chime({64, 71, 76}, 0.07, 0.3);
         },
         -1},
        {"powerup12c",
         [] {
             return Chime({67, 74, 79, 83}, 0.07, 0.3);
         },
         -1},
        {"powerup12d",
         [] {
             return Chime({72, 76, 79, 84, 88}, 0.05, 0.45, 0.8);
         },
         -1},
        {"title", TitleJingle, -1},
    };
    std::vector<SoundEffect> effects;
    effects.reserve(recipes.size());
    for (const Recipe& r : recipes) {
        Buffer b = r.make();
        RemoveDc(b);
        FadeEdges(b, 0.0015, 0.03);
        NormalizePeak(b, float(DbToGain(r.peakDb)));
        effects.push_back({r.name, std::move(b)});
    }
    return effects;
}

} // namespace assetgen
