#pragma once
// The composer: turns a short description of a piece (key, mode, tempo, chord progressions,
// form and styles) into notes. A piece is a loop of 8-bar sections in 4/4.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::music {

enum class Instrument { Kick, Snare, Clap, HatClosed, HatOpen, Tom, Crash, Bass, Pad, Lead, Arp, Bell };
constexpr int kInstrumentCount = 12;

enum class LeadTone { Saw, Square, Bell };

struct Note {
    double start = 0;   // seconds from the start of the loop
    double length = 0;  // seconds held
    double pitch = 0;   // MIDI note number (drums: ignored except toms)
    float velocity = 1; // 0..1
    Instrument instrument = Instrument::Kick;
};

struct Plan {
    std::string name;
    int tonic = 57;             // MIDI note of the key's root in the middle register (48..59)
    std::array<int, 7> scale{}; // semitones of the seven degrees above the tonic
    double bpm = 120;
    // One letter per 8-bar section: I intro (pads, arpeggio, hats), A main theme, B second theme,
    // C breakdown (no kick, sparse melody), D main theme at full strength with a bell counter-line.
    std::string form;
    std::vector<int> chordsA, chordsB, chordsC; // chord root per bar as scale degree 0..6, cycled
    int drumStyle = 0; // 0 four-on-the-floor, 1 breakbeat, 2 half-time, 3 driving, 4 boss
    int bassStyle = 0; // 0 eighths, 1 rock, 2 walking, 3 gallop, 4 half-time
    int arpStyle = 0;  // 0 sixteenths up, 1 eighths up-down, 2 broken
    LeadTone lead = LeadTone::Saw;
    double swing = 0;      // 0..0.3: delays off-beat sixteenths by this fraction of a step
    bool sevenths = false; // pads add the chord's seventh
    uint64_t seed = 1;
};

// Length of the loop in seconds (whole bars).
double LoopSeconds(const Plan& plan);
// Every note of the loop, sorted by instrument then time.
std::vector<Note> Compose(const Plan& plan);

} // namespace assetgen::music
