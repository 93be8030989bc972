// Renders the composer's notes: one synthesized voice per note into per-instrument tracks,
// folded into a loop, then panned, sent through delay and reverb, and mastered.
#include "audio/music.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "audio/ogg_writer.h"
#include "audio/synth.h"

namespace assetgen {
namespace {

using namespace synth;
using music::Instrument;
using music::Note;

constexpr double kTailSeconds = 4.0;   // longest ring-out of a note past its end
constexpr double kTargetRmsDb = -17.0; // loudness of every piece before limiting
constexpr float kCeiling = 0.75f;      // -2.5 dBFS: room for the Ogg encoder's small overshoots
constexpr float kKnee = 0.45f;
constexpr float kPeakLimit = 0.88f; // -1.1 dBFS: the decoded file must stay below -1 dBFS
constexpr float kOggQuality = 0.3f;

// Mixer settings of an instrument: level, pan (-1 left .. 1 right), effect sends, and how far the
// kick ducks it (0 none .. 1 silent), which makes room for the kick and lets the parts breathe.
struct Channel {
    float gain, pan, reverb, delay, duck;
};

Channel ChannelOf(Instrument inst) {
    switch (inst) {
    case Instrument::Kick:
        return {0.45f, 0.0f, 0.02f, 0, 0};
    case Instrument::Snare:
        return {0.6f, 0.05f, 0.25f, 0, 0};
    case Instrument::Clap:
        return {0.3f, -0.1f, 0.3f, 0, 0};
    case Instrument::HatClosed:
        return {0.2f, 0.3f, 0.05f, 0, 0};
    case Instrument::HatOpen:
        return {0.16f, 0.35f, 0.1f, 0, 0};
    case Instrument::Tom:
        return {0.3f, -0.25f, 0.25f, 0, 0};
    case Instrument::Crash:
        return {0.16f, -0.3f, 0.2f, 0, 0};
    case Instrument::Bass:
        return {0.24f, 0.0f, 0.0f, 0, 0.3f};
    case Instrument::Pad:
        return {0.15f, 0.0f, 0.5f, 0, 0.45f};
    case Instrument::Lead:
        return {0.5f, 0.1f, 0.3f, 0.25f, 0.1f};
    case Instrument::Arp:
        return {0.17f, -0.4f, 0.3f, 0.2f, 0.35f};
    case Instrument::Bell:
        return {0.24f, 0.35f, 0.45f, 0.2f, 0};
    }
    return {0, 0, 0, 0, 0};
}

// How long a note keeps sounding after its held length.
double Release(Instrument inst) {
    switch (inst) {
    case Instrument::Pad:
        return 0.8;
    case Instrument::Crash:
        return 1.6;
    case Instrument::Bell:
        return 1.5;
    case Instrument::Lead:
        return 0.25;
    case Instrument::Arp:
        return 0.35;
    case Instrument::HatOpen:
        return 0.3;
    case Instrument::Bass:
        return 0.08;
    default:
        return 0.5;
    }
}

// Synthesizes one note into its instrument's track; a fresh renderer is made for every note.
class VoiceRenderer {
public:
    VoiceRenderer(const music::Plan& plan, std::vector<float>& track) : plan_(plan), track_(track) {}

    void Render(const Note& n, uint32_t seed) {
        const size_t start = size_t(std::llround(n.start * kRate));
        const double total = n.length + Release(n.instrument);
        const size_t count = std::min(size_t(total * kRate), track_.size() - std::min(start, track_.size()));
        noise_ = Noise(seed);
        const double hz = MidiToHz(n.pitch);
        for (size_t i = 0; i < count; ++i) {
            double t = double(i) / kRate;
            track_[start + i] += n.velocity * Sample(n, hz, t, i);
        }
    }

private:
    float Sample(const Note& n, double hz, double t, size_t i) {
        switch (n.instrument) {
        case Instrument::Kick: {
            double f = 48 + 120 * std::exp(-t / 0.035);
            float click = float(Decay(t, 0.003)) * noise_.Next() * 0.3f;
            return float(Decay(t, 0.22)) * osc_[0].Sine(f) + click;
        }
        case Instrument::Snare: {
            if (i == 0) filter_.Set(1800, 0.7);
            float body = osc_[0].Sine(185 + 40 * std::exp(-t / 0.02)) * float(Decay(t, 0.06));
            float rattle = filter_.High(noise_.Next()) * float(Decay(t, 0.12));
            return 0.6f * body + 0.8f * rattle;
        }
        case Instrument::Clap: {
            if (i == 0) filter_.Set(1300, 1.5);
            // Three quick bursts and a short tail, like several hands.
            double env = 0;
            for (double at : {0.0, 0.011, 0.022})
                env += t >= at ? Decay(t - at, 0.006) : 0;
            env += t >= 0.03 ? 0.6 * Decay(t - 0.03, 0.09) : 0;
            return float(env) * filter_.Band(noise_.Next()) * 2.0f;
        }
        case Instrument::HatClosed:
        case Instrument::HatOpen: {
            if (i == 0) filter_.Set(8000, 0.8);
            double tau = n.instrument == Instrument::HatOpen ? 0.18 : 0.035;
            // Metallic colour: inharmonic squares under the noise.
            float metal =
                0.25f * (osc_[0].Pulse(3520, 0.5) + osc_[1].Pulse(4980, 0.5) + osc_[2].Pulse(6310, 0.5));
            return float(Decay(t, tau)) * filter_.High(noise_.Next() + metal);
        }
        case Instrument::Tom: {
            double f = hz * 0.5 * (1.0 + 0.5 * std::exp(-t / 0.04));
            return float(Decay(t, 0.25)) * osc_[0].Sine(f);
        }
        case Instrument::Crash: {
            if (i == 0) filter_.Set(5000, 0.7);
            float metal =
                0.3f * (osc_[0].Pulse(4230, 0.5) + osc_[1].Pulse(5870, 0.5) + osc_[3].Pulse(7050, 0.5));
            return float(Decay(t, 0.9)) * filter_.High(noise_.Next() + metal);
        }
        case Instrument::Bass: {
            double env = Adsr(t, n.length, 0.004, 0.18, 0.65, 0.08);
            if (i % 16 == 0) filter_.Set(180 + 1400 * std::exp(-t / 0.09) * n.velocity, 1.3);
            float v = 0.6f * osc_[0].Saw(hz) + 0.4f * osc_[1].Pulse(hz * 0.5, 0.5);
            return float(env) * filter_.Low(v) * 1.4f;
        }
        case Instrument::Pad: {
            double env = Adsr(t, n.length, 0.35, 0.6, 0.75, 0.8);
            if (i % 32 == 0) filter_.Set(900 + 500 * std::sin(2 * kPi * 0.15 * (n.start + t)), 0.7);
            float v = osc_[0].Saw(hz * 0.997) + osc_[1].Saw(hz * 1.003) + 0.6f * osc_[2].Saw(hz * 2.001);
            return float(env) * filter_.Low(v) * 0.5f;
        }
        case Instrument::Lead: {
            double env = Adsr(t, n.length, 0.01, 0.25, 0.7, 0.2);
            // Vibrato fades in on held notes.
            double vib = 1.0 + 0.006 * std::min(t / 0.4, 1.0) * std::sin(2 * kPi * 5.5 * t);
            double f = hz * vib;
            float v;
            switch (plan_.lead) {
            case music::LeadTone::Square:
                if (i % 16 == 0) filter_.Set(2200 + 2500 * std::exp(-t / 0.2), 1.0);
                v = filter_.Low(0.35f * osc_[0].Pulse(f, 0.3) + 0.15f * osc_[1].Pulse(f * 1.005, 0.5));
                break;
            case music::LeadTone::Bell: {
                // Electric-piano-like FM with a sine body.
                double index = 1.2 * std::exp(-t / 0.3) + 0.2;
                float m = osc_[1].Sine(f * 2.0);
                v = 0.5f * (osc_[0].Sine(f * (1.0 + 0.1 * index * m)) + 0.3f * osc_[2].Triangle(f * 2));
                break;
            }
            default:
                if (i % 16 == 0) filter_.Set(2500 + 2000 * std::exp(-t / 0.25), 0.9);
                v = filter_.Low(0.5f * osc_[0].Saw(f * 0.996) + 0.5f * osc_[1].Saw(f * 1.004));
                break;
            }
            return float(env) * v;
        }
        case Instrument::Arp: {
            double env = Decay(t, 0.12) * (t < n.length + 0.3 ? 1.0 : 0.0);
            if (i % 16 == 0) filter_.Set(hz * (1.5 + 6.0 * std::exp(-t / 0.05)), 1.2);
            return float(env) * filter_.Low(osc_[0].Pulse(hz, 0.25));
        }
        case Instrument::Bell: {
            double index = 2.0 * std::exp(-t / 0.15);
            float m = osc_[1].Sine(hz * 3.5);
            float v = osc_[0].Sine(hz * (1.0 + 0.35 * index * m));
            return float(Decay(t, 0.5 + 0.3 * n.length)) * v;
        }
        }
        return 0;
    }

    const music::Plan& plan_;
    std::vector<float>& track_;
    Noise noise_{1};
    // Phases spread so that detuned layers do not start in step.
    Oscillator osc_[4] = {Oscillator(0), Oscillator(0.33), Oscillator(0.67), Oscillator(0.5)};
    Svf filter_;
};

// How strongly the kick is sounding at each sample of the loop (0..1): a 5 ms rise and a fast
// decay after every kick, wrapped around the seam like the notes.
std::vector<float> KickPump(const std::vector<Note>& notes, size_t loop) {
    std::vector<float> pump(loop, 0.0f);
    const size_t rise = size_t(0.005 * kRate), span = size_t(0.3 * kRate);
    for (const Note& n : notes) {
        if (n.instrument != Instrument::Kick) continue;
        const size_t start = size_t(std::llround(n.start * kRate));
        for (size_t i = 0; i < span; ++i) {
            float level =
                i < rise ? float(i) / float(rise) : float(std::exp(-double(i - rise) / (0.09 * kRate)));
            float& p = pump[(start + i) % loop];
            p = std::max(p, level * n.velocity);
        }
    }
    return pump;
}

// Adds the tail past the loop end onto the loop start and cuts the buffer to the loop: a note
// that rings across the seam continues at the start, as it would when the piece repeats.
void FoldLoop(std::vector<float>& track, size_t loop) {
    for (size_t i = loop; i < track.size(); ++i)
        track[i % loop] += track[i];
    track.resize(loop);
}

// Runs a stateful effect over two passes of the loop and keeps the second: its state at the
// start of the second pass is the state the loop ends with, so the output is seamless.
template <typename Effect> void ProcessLooped(size_t loop, Effect&& effect) {
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < loop; ++i)
            effect(i, pass == 1);
}

} // namespace

std::vector<float> RenderMusic(const music::Plan& plan) {
    const size_t loop = size_t(std::llround(music::LoopSeconds(plan) * kRate));
    const size_t length = loop + size_t(kTailSeconds * kRate);
    const std::vector<Note> notes = music::Compose(plan);

    // One instrument at a time (the notes come sorted by instrument): render its track, fold it
    // into the loop, then pan it into the mix and the mono sends to the delay and the reverb.
    std::vector<float> left(loop, 0.0f), right(loop, 0.0f), reverbSend(loop, 0.0f), delaySend(loop, 0.0f);
    const std::vector<float> pump = KickPump(notes, loop);
    std::vector<float> track;
    uint32_t seed = uint32_t(plan.seed * 2654435761u);
    size_t next = 0;
    for (int k = 0; k < music::kInstrumentCount; ++k) {
        track.assign(length, 0.0f);
        for (; next < notes.size() && notes[next].instrument == Instrument(k); ++next) {
            VoiceRenderer voice(plan, track);
            voice.Render(notes[next], ++seed);
        }
        FoldLoop(track, loop);
        const Channel c = ChannelOf(Instrument(k));
        const float gl = c.gain * std::sqrt(0.5f * (1.0f - c.pan));
        const float gr = c.gain * std::sqrt(0.5f * (1.0f + c.pan));
        if (c.duck > 0)
            for (size_t i = 0; i < loop; ++i)
                track[i] *= 1.0f - c.duck * pump[i];
        for (size_t i = 0; i < loop; ++i) {
            left[i] += gl * track[i];
            right[i] += gr * track[i];
            reverbSend[i] += c.gain * c.reverb * track[i];
            delaySend[i] += c.gain * c.delay * track[i];
        }
    }
    // A dotted-eighth echo, alternating sides.
    const size_t echo = size_t(0.75 * 60.0 / plan.bpm * kRate);
    Delay delayL(echo), delayR(echo);
    float lastR = 0;
    ProcessLooped(loop, [&](size_t i, bool keep) {
        float l = delayL.Process(delaySend[i] + 0.45f * lastR, 0.0f);
        float r = delayR.Process(l, 0.0f);
        lastR = r;
        if (keep) {
            left[i] += 0.8f * l;
            right[i] += 0.8f * r;
            reverbSend[i] += 0.2f * (l + r);
        }
    });
    Reverb reverb(0.82, 0.45);
    ProcessLooped(loop, [&](size_t i, bool keep) {
        float l = 0, r = 0;
        reverb.Process(reverbSend[i], l, r);
        if (keep) {
            left[i] += l;
            right[i] += r;
        }
    });

    // Master: no DC, the same loudness for every piece, then a soft limiter for the peaks.
    double meanL = 0, meanR = 0, energy = 0;
    for (size_t i = 0; i < loop; ++i) {
        meanL += left[i];
        meanR += right[i];
    }
    meanL /= double(loop);
    meanR /= double(loop);
    for (size_t i = 0; i < loop; ++i) {
        left[i] -= float(meanL);
        right[i] -= float(meanR);
        energy += double(left[i]) * left[i] + double(right[i]) * right[i];
    }
    const double rms = std::sqrt(energy / (2.0 * double(loop)));
    const float gain = rms > 0 ? float(DbToGain(kTargetRmsDb) / rms) : 1.0f;
    std::vector<float> out(loop * 2);
    for (size_t i = 0; i < loop; ++i) {
        out[2 * i] = SoftLimit(left[i] * gain, kKnee, kCeiling);
        out[2 * i + 1] = SoftLimit(right[i] * gain, kKnee, kCeiling);
    }
    return out;
}

void WriteMusicPiece(const Output& out, size_t index) {
    const music::Plan& plan = MusicPlans().at(index);
    std::vector<float> samples = RenderMusic(plan);
    std::string bytes = EncodeOgg(samples, 2, kRate, kOggQuality);
    // The encoder can overshoot the limiter's ceiling on sharp transients; if the decoded file
    // would peak above the limit, turn the piece down a little and encode again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const float peak = DecodedPeak(bytes);
        if (peak <= kPeakLimit) break;
        const float gain = kPeakLimit * 0.97f / peak;
        for (float& s : samples)
            s *= gain;
        bytes = EncodeOgg(samples, 2, kRate, kOggQuality);
    }
    WriteFileBytes(out.Path("sfx/music/" + plan.name + ".ogg"), bytes);
}

} // namespace assetgen
