#include "audio/composition.h"

#include <algorithm>
#include <cmath>

#include "common/rng.h"

namespace assetgen::music {
namespace {

constexpr int kStepsPerBar = 16;
constexpr int kBarsPerSection = 8;

// A motif: two bars of rhythm (onset step and length in sixteenths) with a melodic contour
// (scale steps from the previous note).
struct Motif {
    std::vector<int> onsets, lengths, moves;
};

class Composer {
public:
    explicit Composer(const Plan& plan) : plan_(plan), rng_(plan.seed) {
        stepSeconds_ = 60.0 / plan.bpm / 4.0;
        themeA_ = MakeMotif();
        themeA2_ = MakeMotif();
        themeB_ = MakeMotif();
    }

    std::vector<Note> Run() {
        for (size_t s = 0; s < plan_.form.size(); ++s) {
            const char section = plan_.form[s];
            // A theme that comes back is dressed up rather than repeated note for note.
            const bool repeat = plan_.form.find(section) < s;
            Section(section, int(s) * kBarsPerSection, repeat);
        }
        std::stable_sort(notes_.begin(), notes_.end(), [](const Note& a, const Note& b) {
            if (a.instrument != b.instrument) return int(a.instrument) < int(b.instrument);
            return a.start < b.start;
        });
        return std::move(notes_);
    }

private:
    // MIDI pitch of a scale degree counted from the tonic (may be negative or above 6).
    double Degree(int degree) const {
        int octave = int(std::floor(degree / 7.0));
        int d = degree - octave * 7;
        return plan_.tonic + 12 * octave + plan_.scale[size_t(d)];
    }

    // Time of a sixteenth step, with swing on the off-beat sixteenths.
    double StepTime(int bar, double step) const {
        double s = bar * kStepsPerBar + step;
        if (int(std::floor(step)) % 2 == 1 && std::floor(step) == step) s += plan_.swing;
        return s * stepSeconds_;
    }

    void Add(Instrument inst, int bar, double step, double steps, double pitch, float velocity) {
        Note n;
        n.instrument = inst;
        n.start = StepTime(bar, step);
        n.length = steps * stepSeconds_;
        n.pitch = pitch;
        n.velocity = std::clamp(velocity * float(rng_.Float(0.9, 1.0)), 0.0f, 1.0f);
        notes_.push_back(n);
    }

    int ChordRoot(const std::vector<int>& chords, int barInSection) const {
        return chords[size_t(barInSection) % chords.size()];
    }

    bool IsChordTone(int degree, int root) const {
        int d = ((degree - root) % 7 + 7) % 7;
        return d == 0 || d == 2 || d == 4;
    }

    int NearestChordTone(int degree, int root) const {
        for (int off : {0, -1, 1, -2, 2})
            if (IsChordTone(degree + off, root)) return degree + off;
        return degree;
    }

    Motif MakeMotif() {
        // Rhythm templates in sixteenths over two bars; slower pieces get the busier ones.
        static const std::vector<std::vector<std::pair<int, int>>> rhythms = {
            {{0, 4}, {4, 2}, {6, 2}, {8, 6}, {14, 2}, {16, 4}, {20, 4}, {24, 8}},
            {{0, 3}, {3, 3}, {6, 2}, {8, 4}, {12, 4}, {16, 6}, {22, 2}, {24, 4}, {28, 4}},
            {{0, 6}, {6, 2}, {8, 8}, {16, 2}, {18, 2}, {20, 4}, {24, 8}},
            {{0, 2}, {2, 2}, {4, 4}, {8, 2}, {10, 2}, {12, 4}, {16, 8}, {24, 4}, {28, 2}, {30, 2}},
            {{0, 8}, {8, 4}, {12, 4}, {16, 4}, {20, 2}, {22, 2}, {24, 8}},
            {{2, 2}, {4, 2}, {6, 4}, {10, 6}, {18, 2}, {20, 2}, {22, 4}, {26, 6}},
        };
        const auto& r = rhythms[size_t(rng_.Int(0, int(rhythms.size()) - 1))];
        Motif m;
        for (auto [onset, length] : r) {
            m.onsets.push_back(onset);
            m.lengths.push_back(length);
            // Mostly steps, sometimes a leap; a gentle arch over the motif.
            int move = rng_.Int(-2, 2);
            if (rng_.Int(0, 5) == 0) move = rng_.Int(0, 1) ? 4 : -3;
            m.moves.push_back(move);
        }
        return m;
    }

    // Plays a motif over two bars from `bar`, starting near `startDegree`, fitting the chords;
    // `cadence` ends it on a long chord tone.
    void PlayMotif(const Motif& m, int bar, int barInSection, const std::vector<int>& chords, int startDegree,
                   bool cadence, Instrument inst, float velocity, int octaveShift) {
        int degree = startDegree;
        const int low = 5, high = 16; // keeps the melody in a singable range above the tonic
        for (size_t k = 0; k < m.onsets.size(); ++k) {
            int onset = m.onsets[k];
            int localBar = onset / kStepsPerBar;
            int root = ChordRoot(chords, barInSection + localBar);
            degree += k == 0 ? 0 : m.moves[k];
            if (degree < low) degree += 3;
            if (degree > high) degree -= 4;
            bool strong = onset % 8 == 0;
            bool last = k + 1 == m.onsets.size();
            if (strong || (last && cadence)) degree = NearestChordTone(degree, root);
            int length = m.lengths[k];
            if (last && cadence) {
                degree = NearestChordTone(degree, root);
                length = 2 * kStepsPerBar - onset;
            } else if (last) {
                length = std::max(2, length - 2); // a breath before the next motif
            }
            Add(inst, bar + localBar, onset % kStepsPerBar, length * 0.9, Degree(degree) + 12 * octaveShift,
                velocity * (strong ? 1.0f : 0.85f));
        }
    }

    void Melody(char section, int bar, bool counterLine) {
        const std::vector<int>& chords = section == 'B'   ? plan_.chordsB
                                         : section == 'C' ? plan_.chordsC
                                                          : plan_.chordsA;
        const Motif& first = section == 'B' ? themeB_ : themeA_;
        const Motif& answer = section == 'B' ? themeA2_ : themeB_;
        // Antecedent and consequent: the motif, its echo a step away, the motif, then the answer
        // that closes on a long chord tone.
        int start = 9;
        PlayMotif(first, bar, 0, chords, start, false, Instrument::Lead, 0.9f, 0);
        PlayMotif(first, bar + 2, 2, chords, start + (section == 'B' ? -2 : 2), false, Instrument::Lead,
                  0.85f, 0);
        PlayMotif(first, bar + 4, 4, chords, start, false, Instrument::Lead, 0.9f, 0);
        PlayMotif(answer, bar + 6, 6, chords, start - 1, true, Instrument::Lead, 0.85f, 0);
        if (counterLine) {
            // Bell counter-line: the theme an octave up, a third below, for a fuller section.
            PlayMotif(first, bar, 0, chords, start - 2, false, Instrument::Bell, 0.5f, 1);
            PlayMotif(first, bar + 2, 2, chords, start, false, Instrument::Bell, 0.5f, 1);
            PlayMotif(first, bar + 4, 4, chords, start - 2, false, Instrument::Bell, 0.5f, 1);
            PlayMotif(answer, bar + 6, 6, chords, start - 3, true, Instrument::Bell, 0.5f, 1);
        }
    }

    void SparseMelody(int bar) {
        // Breakdown: long bell notes on chord tones, one every two bars.
        for (int b = 0; b < kBarsPerSection; b += 2) {
            int root = ChordRoot(plan_.chordsC, b);
            int degree = NearestChordTone(9 + rng_.Int(-2, 3), root);
            Add(Instrument::Bell, bar + b, 0, 24, Degree(degree) + 12, 0.6f);
            Add(Instrument::Bell, bar + b + 1, 8, 8, Degree(NearestChordTone(degree + 2, root)) + 12, 0.45f);
        }
    }

    void Pads(const std::vector<int>& chords, int bar, float velocity) {
        for (int b = 0; b < kBarsPerSection; ++b) {
            int root = ChordRoot(chords, b);
            // Close voicing around the tonic: root, third, fifth (and seventh) folded into one
            // octave band.
            for (int t : {0, 2, 4, 6}) {
                if (t == 6 && !plan_.sevenths) continue;
                int degree = root + t;
                double p = Degree(degree);
                while (p > plan_.tonic + 10)
                    p -= 12;
                while (p < plan_.tonic - 3)
                    p += 12;
                Add(Instrument::Pad, bar + b, 0, kStepsPerBar, p, velocity);
            }
        }
    }

    void Bass(const std::vector<int>& chords, int bar, bool light) {
        for (int b = 0; b < kBarsPerSection; ++b) {
            int root = ChordRoot(chords, b);
            int next = ChordRoot(chords, b + 1);
            double r = Degree(root) - 24;
            while (r < plan_.tonic - 24 - 2)
                r += 12;
            double fifth = Degree(root + 4) - 24;
            while (fifth < r)
                fifth += 12;
            double approach = Degree(next) - 24 + (next > root ? -1 : 1);
            auto hit = [&](double step, double len, double pitch, float v) {
                Add(Instrument::Bass, bar + b, step, len, pitch, v);
            };
            if (light) {
                hit(0, 14, r, 0.8f);
                continue;
            }
            switch (plan_.bassStyle) {
            case 0:
                for (int s = 0; s < 16; s += 2)
                    hit(s, 1.6, s == 6 || s == 14 ? r + 12 : r, s % 4 == 0 ? 1.0f : 0.75f);
                break;
            case 1:
                for (int s : {0, 3, 6, 8, 11, 14})
                    hit(s, 2.5, s == 6 ? fifth : r, s % 8 == 0 ? 1.0f : 0.8f);
                break;
            case 2:
                hit(0, 3.6, r, 1.0f);
                hit(4, 3.6, fifth, 0.85f);
                hit(8, 3.6, r + 12, 0.9f);
                hit(12, 3.6, approach, 0.85f);
                break;
            case 3:
                for (int s = 0; s < 16; s += 4) {
                    hit(s, 1.6, r, 1.0f);
                    hit(s + 2, 0.8, r, 0.7f);
                    hit(s + 3, 0.8, s == 12 ? fifth : r, 0.75f);
                }
                break;
            default:
                hit(0, 7.5, r, 1.0f);
                hit(10, 1.6, fifth, 0.8f);
                hit(12, 3.5, r, 0.9f);
                break;
            }
        }
    }

    void Arpeggio(const std::vector<int>& chords, int bar, float velocity) {
        for (int b = 0; b < kBarsPerSection; ++b) {
            int root = ChordRoot(chords, b);
            std::vector<double> tones;
            for (int t : {0, 2, 4, 7, 9, 11})
                tones.push_back(Degree(root + t) + 12);
            if (plan_.arpStyle == 0) {
                for (int s = 0; s < 16; ++s)
                    Add(Instrument::Arp, bar + b, s, 0.9, tones[size_t(s % 4)],
                        velocity * (s % 4 == 0 ? 1.0f : 0.75f));
            } else if (plan_.arpStyle == 1) {
                const int order[] = {0, 1, 2, 3, 4, 3, 2, 1};
                for (int s = 0; s < 8; ++s)
                    Add(Instrument::Arp, bar + b, s * 2, 1.8, tones[size_t(order[s])],
                        velocity * (s % 2 ? 0.75f : 1.0f));
            } else {
                const int order[] = {0, 2, 1, 3, 2, 4, 3, 5};
                for (int s = 0; s < 16; s += 2)
                    Add(Instrument::Arp, bar + b, s + (s % 4 == 2 ? 1 : 0), 1.2, tones[size_t(order[s / 2])],
                        velocity);
            }
        }
    }

    void Drums(int bar, char section) {
        static const char* patterns[5][4] = {
            // kick, snare, closed hat, open hat
            {"x...x...x...x...", "....x.......x...", "x.x.x.x.x.x.x.x.", "..x...x...x...x."},
            {"x.....x...x.....", "....x.......x..x", "x.xxx.xxx.xxx.xx", "..............x."},
            {"x.........x.....", "........x.......", "x.x.x.x.x.x.x.x.", "......x........."},
            {"x..x..x.x..x..x.", "....x.......x...", "xxxxxxxxxxxxxxxx", "..x.......x....."},
            {"x.x...x.x.x...x.", "....x..x....x.x.", "xxxxxxxxxxxxxxxx", "......x.......x."},
        };
        const auto& p = patterns[plan_.drumStyle];
        const bool intro = section == 'I';
        const bool breakdown = section == 'C';
        if (!intro) Add(Instrument::Crash, bar, 0, 16, 0, 0.8f);
        for (int b = 0; b < kBarsPerSection; ++b) {
            const bool fillBar = b == kBarsPerSection - 1 && !intro;
            for (int s = 0; s < 16; ++s) {
                const bool fill = fillBar && s >= 12;
                if (intro) {
                    if (p[2][s] == 'x' && s % 2 == 0) Add(Instrument::HatClosed, bar + b, s, 1, 0, 0.5f);
                    if (s == 0 && b % 2 == 0) Add(Instrument::Kick, bar + b, s, 1, 0, 0.7f);
                    continue;
                }
                if (breakdown) {
                    if (p[2][s] == 'x')
                        Add(Instrument::HatClosed, bar + b, s, 1, 0, s % 4 == 0 ? 0.6f : 0.4f);
                    if (s == 12 && b % 2 == 1) Add(Instrument::Clap, bar + b, s, 1, 0, 0.6f);
                    if (fill) Add(Instrument::Snare, bar + b, s, 1, 0, 0.35f + 0.12f * float(s - 12));
                    continue;
                }
                if (p[0][s] == 'x' && !fill)
                    Add(Instrument::Kick, bar + b, s, 1, 0, s % 4 == 0 ? 1.0f : 0.85f);
                if (p[1][s] == 'x' && !fill) {
                    Add(Instrument::Snare, bar + b, s, 1, 0, 0.9f);
                    if (section == 'D' || plan_.drumStyle == 0) Add(Instrument::Clap, bar + b, s, 1, 0, 0.5f);
                }
                if (p[2][s] == 'x' && p[3][s] != 'x')
                    Add(Instrument::HatClosed, bar + b, s, 1, 0,
                        s % 4 == 0   ? 0.75f
                        : s % 2 == 0 ? 0.55f
                                     : 0.4f);
                if (p[3][s] == 'x') Add(Instrument::HatOpen, bar + b, s, 2, 0, 0.55f);
                if (fill) {
                    // A tom roll down into the next section.
                    Add(Instrument::Tom, bar + b, s, 2, 57 - 3 * (s - 12), 0.8f);
                    if (s % 2 == 1) Add(Instrument::Snare, bar + b, s, 1, 0, 0.7f);
                }
            }
        }
    }

    void Section(char section, int bar, bool repeat) {
        const std::vector<int>& chords = section == 'B'   ? plan_.chordsB
                                         : section == 'C' ? plan_.chordsC
                                                          : plan_.chordsA;
        Drums(bar, section);
        switch (section) {
        case 'I':
            Pads(chords, bar, 0.8f);
            Arpeggio(chords, bar, 0.55f);
            Bass(chords, bar, true);
            break;
        case 'C':
            Pads(chords, bar, 1.0f);
            Arpeggio(chords, bar, 0.45f);
            Bass(chords, bar, true);
            SparseMelody(bar);
            break;
        default:
            Pads(chords, bar, 0.7f);
            if (section != 'A' || repeat) Arpeggio(chords, bar, 0.5f);
            Bass(chords, bar, false);
            Melody(section, bar, section == 'D' || repeat);
            break;
        }
    }

    const Plan& plan_;
    Rng rng_;
    double stepSeconds_;
    Motif themeA_, themeA2_, themeB_;
    std::vector<Note> notes_;
};

} // namespace

double LoopSeconds(const Plan& plan) {
    return double(plan.form.size() * kBarsPerSection * kStepsPerBar) * (60.0 / plan.bpm / 4.0);
}

std::vector<Note> Compose(const Plan& plan) {
    return Composer(plan).Run();
}

} // namespace assetgen::music
