#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Small synthesised sounds for the pack: notes with a soft bell-like tone,
// mixed into 16-bit mono PCM and written as WAV files.
class JingleSynth {
public:
    static constexpr int Rate = 22050;

    struct Note {
        double start;    // seconds
        double length;   // seconds of ringing
        double frequency;
        double endFrequency; // glides to it; 0 keeps the pitch
        double volume;
        bool buzzy;      // odd harmonics: a duller, rasping tone
    };

    static std::vector<std::int16_t> Render(const std::vector<Note>& notes);
    static bool WriteWav(const std::string& path, const std::vector<std::int16_t>& samples);

    // The pack's sounds by name: start, fin, bye, nope1…3, yup1…3.
    static std::vector<Note> Jingle(const std::string& name);
    static double Pitch(int midiNote);
};
