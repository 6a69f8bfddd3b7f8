#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Writes FLC animations: the first frame as COLOR_256 and BYTE_RUN, every
// later frame and the ring frame (the way back from the last frame to the
// first) as DELTA_FLC with COLOR_256 packets for changed colours only.
class FlicEncoder {
public:
    using Palette = std::array<std::uint32_t, 256>; // blue, green, red, 0

    FlicEncoder(int width, int height, int periodMs);

    // How other programs write FLC files, for readers that must take them:
    // chunks of odd size with the frame padded instead, the byte-oriented
    // delta of FLI files, no ring frame, and the last pad byte missing.
    struct Quirks {
        bool oddChunks = false;
        bool byteDeltas = false;
        bool noRingFrame = false;
        bool lastPadMissing = false;
    };
    void SetQuirks(const Quirks& quirks) { quirks_ = quirks; }

    // Pixels top row first, width × height colour indexes.
    void AddFrame(const std::vector<std::uint8_t>& pixels, const Palette& palette);
    // The whole file; the encoder can go on taking frames afterwards.
    std::string Finish() const;
    bool WriteFile(const std::string& path) const;

    // The chunks alone, for tests that build frames of their own.
    static std::string ColourChunk(const Palette* previous, const Palette& palette, bool padded = true);
    static std::string ByteRunChunk(const std::vector<std::uint8_t>& pixels, int width, int height, bool padded = true);
    static std::string DeltaFlcChunk(const std::vector<std::uint8_t>& previous, const std::vector<std::uint8_t>& pixels,
                                     int width, int height);
    static std::string DeltaFliChunk(const std::vector<std::uint8_t>& previous, const std::vector<std::uint8_t>& pixels,
                                     int width, int height, bool padded = true);
    static std::string Frame(const std::vector<std::string>& chunks, bool padded = false);

private:
    struct Picture {
        std::vector<std::uint8_t> pixels;
        Palette palette;
    };
    std::string Between(const Picture* from, const Picture& to) const;

    int width_, height_, periodMs_;
    Quirks quirks_;
    std::vector<Picture> frames_;
};
