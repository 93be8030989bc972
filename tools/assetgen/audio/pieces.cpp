// The twelve pieces: each has its own key, mode, tempo, progression and groove.
#include "audio/music.h"

namespace assetgen {
namespace {

using music::LeadTone;
using music::Plan;
using Scale = std::array<int, 7>;

constexpr Scale kMajor = {0, 2, 4, 5, 7, 9, 11};
constexpr Scale kMinor = {0, 2, 3, 5, 7, 8, 10};
constexpr Scale kDorian = {0, 2, 3, 5, 7, 9, 10};
constexpr Scale kPhrygian = {0, 1, 3, 5, 7, 8, 10};
constexpr Scale kMixolydian = {0, 2, 4, 5, 7, 9, 10};
constexpr Scale kHarmonicMinor = {0, 2, 3, 5, 7, 8, 11};
constexpr Scale kLydian = {0, 2, 4, 6, 7, 9, 11};

Plan Make(const char* name, int tonic, Scale scale, double bpm, const char* form, std::vector<int> a,
          std::vector<int> b, std::vector<int> c, int drums, int bass, int arp, LeadTone lead, double swing,
          uint64_t seed, bool sevenths = false) {
    Plan p;
    p.name = name;
    p.tonic = tonic;
    p.scale = scale;
    p.bpm = bpm;
    p.form = form;
    p.chordsA = std::move(a);
    p.chordsB = std::move(b);
    p.chordsC = std::move(c);
    p.drumStyle = drums;
    p.bassStyle = bass;
    p.arpStyle = arp;
    p.lead = lead;
    p.swing = swing;
    p.seed = seed;
    p.sevenths = sevenths;
    return p;
}

} // namespace

const std::vector<music::Plan>& MusicPlans() {
    // Tonic notes: A3 = 57, D = 50, F = 53, B = 59, E = 52, G = 55, C = 48, F# = 54, Bb = 58,
    // C# = 49. Durations: 40 bars at 120 BPM = 80 s, 32 bars at 96 BPM = 80 s, 48 bars at 150 = 77 s.
    static const std::vector<Plan> plans = {
        // Level 1: A minor, bright and eager: the adventure begins.
        Make("level1", 57, kMinor, 120, "IABCD", {0, 5, 2, 6}, {3, 0, 4, 4}, {5, 6, 0, 0}, 0, 0, 0,
             LeadTone::Saw, 0, 101),
        // Level 2: D dorian, funky breakbeat with a walking bass.
        Make("level2", 50, kDorian, 128, "IABCD", {0, 3, 0, 3}, {6, 2, 3, 0}, {2, 3, 0, 0}, 1, 2, 2,
             LeadTone::Square, 0.12, 202, true),
        // Level 3: F lydian, airy and hopeful (also the story music).
        Make("level3", 53, kLydian, 108, "IABCD", {0, 1, 0, 4}, {3, 4, 5, 4}, {5, 1, 0, 0}, 2, 4, 1,
             LeadTone::Bell, 0, 303, true),
        // Level 4: B minor, wistful and steady (also the ending music).
        Make("level4", 59, kMinor, 100, "IABCD", {0, 3, 6, 2}, {5, 2, 3, 4}, {5, 6, 0, 0}, 2, 2, 1,
             LeadTone::Saw, 0.08, 404),
        // Level 5: E phrygian, dark and driving towards the first boss.
        Make("level5", 52, kPhrygian, 136, "IABCDB", {0, 1, 0, 6}, {5, 6, 1, 0}, {0, 1, 6, 1}, 3, 3, 0,
             LeadTone::Square, 0, 505),
        // Level 6: G mixolydian, bouncy and bright.
        Make("level6", 55, kMixolydian, 124, "IABCD", {0, 6, 3, 0}, {3, 4, 6, 0}, {3, 6, 0, 0}, 0, 1, 2,
             LeadTone::Saw, 0.1, 606),
        // Level 7: C minor, slow and majestic (also the credits music).
        Make("level7", 48, kMinor, 96, "ABCD", {0, 6, 5, 6}, {5, 2, 6, 0}, {5, 3, 6, 6}, 2, 4, 1,
             LeadTone::Bell, 0, 707),
        // Level 8: F# harmonic minor, tense and exotic.
        Make("level8", 54, kHarmonicMinor, 140, "IABCDB", {0, 4, 0, 4}, {5, 3, 4, 4}, {3, 5, 4, 4}, 3, 3, 2,
             LeadTone::Square, 0, 808),
        // Level 9: Bb major, uplifting second wind.
        Make("level9", 58, kMajor, 116, "IABCD", {0, 5, 3, 4}, {3, 0, 4, 5}, {5, 3, 4, 4}, 0, 0, 1,
             LeadTone::Saw, 0, 909, true),
        // Level 10: G dorian, urgent and relentless.
        Make("level10", 55, kDorian, 144, "IABCDB", {0, 3, 0, 6}, {2, 3, 0, 6}, {3, 6, 0, 0}, 3, 0, 0,
             LeadTone::Saw, 0, 1010),
        // Level 11: C# minor, the climax before the queen.
        Make("level11", 49, kMinor, 150, "IABCDB", {0, 5, 6, 0}, {3, 5, 6, 4}, {5, 6, 3, 4}, 1, 3, 0,
             LeadTone::Square, 0, 1111),
        // Boss: D harmonic minor, hammering half-time menace.
        Make("boss", 50, kHarmonicMinor, 150, "AABCDB", {0, 5, 1, 4}, {0, 3, 5, 4}, {1, 0, 1, 4}, 4, 3, 0,
             LeadTone::Saw, 0, 1212),
    };
    return plans;
}

size_t MusicPieceCount() {
    return MusicPlans().size();
}

} // namespace assetgen
