#pragma once

// WAV files for the tests of the wave player: a header of any format,
// chunks in any order, sample bytes that tell where they came from.
#include <cstdint>
#include <string>

struct WavBuilder {
    std::uint16_t tag = 1, channels = 1, blockAlign = 1, bits = 8;
    std::uint32_t rate = 11025;
    std::uint32_t fmtSize = 16;
    std::string between;  // chunks between "fmt " and "data"
    std::int64_t claimedData = -1; // the data chunk's size field; -1: the real size
    std::uint16_t subFormat = 0;   // of an extensible header (fmtSize 40): its GUID's first word

    static void Put16(std::string& s, std::uint32_t v) { s.push_back(char(v & 0xFF)), s.push_back(char(v >> 8 & 0xFF)); }
    static void Put32(std::string& s, std::uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

    // Sample bytes whose every byte differs from its neighbours'.
    static std::string Samples(std::size_t n, unsigned seed = 1)
    {
        std::string s(n, '\0');
        for (std::size_t i = 0; i < n; ++i) s[i] = char((i * 7 + seed * 13 + i / 251) & 0xFF);
        return s;
    }
    std::string Header() const
    {
        std::string h;
        Put16(h, tag), Put16(h, channels), Put32(h, rate), Put32(h, rate * blockAlign), Put16(h, blockAlign), Put16(h, bits);
        if (tag == 0xFFFE && fmtSize >= 40) {
            Put16(h, 22), Put16(h, bits), Put32(h, 0);
            Put16(h, subFormat);
            h += std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
        }
        h.resize(fmtSize, '\0');
        return h;
    }
    std::string File(const std::string& data) const
    {
        std::string body = "WAVEfmt ";
        Put32(body, fmtSize);
        body += Header() + between + "data";
        Put32(body, claimedData < 0 ? std::uint32_t(data.size()) : std::uint32_t(claimedData));
        body += data;
        std::string file = "RIFF";
        Put32(file, std::uint32_t(body.size()));
        return file + body;
    }
};
