#include "JingleSynth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Attack = 0.008; // seconds: no click at the start of a note
constexpr double PeakLevel = 24000;

double Tone(double phase, bool buzzy)
{
    if (buzzy) return 0.6 * std::sin(phase) + 0.25 * std::sin(3 * phase) + 0.15 * std::sin(5 * phase);
    return 0.7 * std::sin(phase) + 0.2 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase);
}

void Put16(std::ofstream& out, std::uint16_t v)
{
    out.put(char(v & 0xFF)).put(char(v >> 8));
}

void Put32(std::ofstream& out, std::uint32_t v)
{
    Put16(out, std::uint16_t(v & 0xFFFF));
    Put16(out, std::uint16_t(v >> 16));
}

using N = JingleSynth::Note;

// Arpeggios and chords in equal temperature (MIDI note numbers).
std::vector<N> Sequence(std::initializer_list<int> notes, double step, double ring, double volume)
{
    std::vector<N> out;
    double t = 0;
    for (int n : notes) {
        out.push_back({t, ring, JingleSynth::Pitch(n), 0, volume, false});
        t += step;
    }
    return out;
}

std::vector<N> Chord(std::vector<N> notes, double at, std::initializer_list<int> chord, double ring, double volume)
{
    for (int n : chord) notes.push_back({at, ring, JingleSynth::Pitch(n), 0, volume, false});
    return notes;
}

} // namespace

double JingleSynth::Pitch(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

std::vector<std::int16_t> JingleSynth::Render(const std::vector<Note>& notes)
{
    double end = 0;
    for (const Note& n : notes) end = std::max(end, n.start + n.length);
    std::vector<double> mix(std::size_t(end * Rate) + 1, 0.0);
    for (const Note& n : notes) {
        const std::size_t first = std::size_t(n.start * Rate);
        const std::size_t count = std::size_t(n.length * Rate);
        double phase = 0;
        for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = double(i) / Rate;
            const double progress = t / n.length;
            const double f = n.endFrequency > 0 ? n.frequency + (n.endFrequency - n.frequency) * progress : n.frequency;
            phase += 2 * Pi * f / Rate;
            // Quick rise, then an exponential fade that reaches silence.
            const double envelope = std::min(1.0, t / Attack) * std::exp(-4.0 * progress) * (1.0 - progress);
            mix[first + i] += n.volume * envelope * Tone(phase, n.buzzy);
        }
    }
    // Every sound peaks at the same level, well below clipping.
    double peak = 0;
    for (double v : mix) peak = std::max(peak, std::fabs(v));
    const double gain = peak > 0 ? PeakLevel / peak : 0;
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i) samples[i] = std::int16_t(std::lround(mix[i] * gain));
    return samples;
}

bool JingleSynth::WriteWav(const std::string& path, const std::vector<std::int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = std::uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, Rate);
    Put32(out, Rate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (std::int16_t s : samples) Put16(out, std::uint16_t(s));
    return bool(out);
}

std::vector<JingleSynth::Note> JingleSynth::Jingle(const std::string& name)
{
    static const std::map<std::string, std::vector<Note>> jingles = {
        // A rising major arpeggio: a new board.
        {"start", Sequence({72, 76, 79, 84}, 0.11, 0.7, 0.8)},
        // A small fanfare: the board is cleared.
        {"fin", Chord(Sequence({67, 72, 76, 79, 76}, 0.14, 0.5, 0.7), 0.75, {72, 76, 79, 84}, 1.4, 0.55)},
        // Falling and soft: goodbye.
        {"bye", Sequence({79, 76, 72, 67}, 0.16, 0.8, 0.6)},
        // Misses: low, short, a little comic.
        {"nope1", {{0, 0.16, Pitch(52), 0, 0.9, true}, {0.15, 0.22, Pitch(51), 0, 0.9, true}}},
        {"nope2", {{0, 0.34, 330, 150, 1.0, false}}},
        {"nope3", {{0, 0.12, Pitch(45), 0, 0.9, true}, {0.14, 0.2, Pitch(45), 0, 0.9, true}}},
        // Matches: bright and quick.
        {"yup1", Chord({}, 0, {84, 88}, 0.6, 0.7)},
        {"yup2", Sequence({79, 83, 86, 91}, 0.07, 0.45, 0.7)},
        {"yup3", Chord(Sequence({76}, 0.1, 0.2, 0.7), 0.12, {81, 85, 88}, 0.6, 0.6)},
    };
    auto it = jingles.find(name);
    return it == jingles.end() ? std::vector<Note>{} : it->second;
}
