#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// Writes AVI files byte by byte, for the cases an encoder will not make:
// stream priorities, odd handler codes, long formats, records, palette
// changes, indexes with and without key frames.
struct AviBuilder {
    struct Stream {
        std::string type = "vids", handler = "DIB ";
        std::uint16_t priority = 0;
        std::uint32_t suggestedBufferSize = 0, length = 0;
        std::string format; // the strf contents
    };

    static std::string U16(unsigned v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
    static std::string U32(std::uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }
    static std::string Chunk(const std::string& id, const std::string& data)
    {
        return id + U32(std::uint32_t(data.size())) + data + (data.size() % 2 ? std::string(1, '\0') : "");
    }
    static std::string List(const std::string& type, const std::string& body) { return Chunk("LIST", type + body); }
    // A bitmap header of the given kind and its colours.
    static std::string BitmapFormat(int width, int height, int bits, const std::string& compression = std::string(4, '\0'),
                                    const std::vector<std::uint32_t>& colours = {})
    {
        std::string f = U32(40) + U32(std::uint32_t(width)) + U32(std::uint32_t(height)) + U16(1) + U16(unsigned(bits)) +
                        compression + U32(0) + U32(0) + U32(0) + U32(std::uint32_t(colours.size())) + U32(0);
        for (std::uint32_t c : colours) f += U32(c);
        return f;
    }
    static std::string PcmFormat(unsigned channels, std::uint32_t rate, unsigned bits)
    {
        const unsigned block = channels * bits / 8;
        return U16(1) + U16(channels) + U32(rate) + U32(rate * block) + U16(block) + U16(bits);
    }
    // A frame chunk of stream 00 whose first byte is n.
    static std::string Frame(int n, std::size_t bytes = 4, const std::string& id = "00dc")
    {
        std::string data(bytes, char(n));
        return Chunk(id, data);
    }

    std::string File() const
    {
        std::string streamLists;
        for (const Stream& s : streams) {
            std::string strh = s.type + s.handler + U32(streamFlags) + U16(s.priority) + U16(0) + U32(0) + U32(1) + U32(25) +
                               U32(0) + U32(s.length) + U32(s.suggestedBufferSize) + U32(0) + U32(0) + std::string(8, '\0');
            streamLists += List("strl", Chunk("strh", strh) + Chunk("strf", s.format));
        }
        const std::string avih = U32(usPerFrame) + U32(0) + U32(0) + U32(flags) + U32(totalFrames) + U32(initialFrames) +
                                 U32(std::uint32_t(streams.size())) + U32(0) + U32(std::uint32_t(width)) +
                                 U32(std::uint32_t(height)) + std::string(16, '\0');
        std::string moviBody;
        for (const std::string& c : movi) moviBody += c;
        std::string body = "AVI " + List("hdrl", Chunk("avih", avih) + streamLists) + List("movi", moviBody);
        if (index) body += Chunk("idx1", Index(moviBody));
        return "RIFF" + U32(std::uint32_t(body.size())) + body;
    }

    // An entry for every chunk in the movie list (records entered), offsets
    // from the list's type; frames in keyFrames (counted from 0) are keys.
    std::string Index(const std::string& moviBody) const
    {
        std::string entries;
        int frame = 0;
        for (std::size_t at = 0; at + 8 <= moviBody.size();) {
            const std::string id = moviBody.substr(at, 4);
            const std::uint32_t size = std::uint32_t(std::uint8_t(moviBody[at + 4])) | std::uint32_t(std::uint8_t(moviBody[at + 5])) << 8 |
                                       std::uint32_t(std::uint8_t(moviBody[at + 6])) << 16;
            if (id == "LIST") {
                at += 12;
                continue;
            }
            const bool isFrame = id.substr(2) == "dc" || id.substr(2) == "db";
            const bool key = isFrame && keyFrames.count(frame);
            entries += id + U32(key ? 0x10 : 0) + U32(std::uint32_t(at + 4 + indexShift)) + U32(size);
            frame += isFrame;
            at += 8 + (size + 1) / 2 * 2;
        }
        return entries;
    }

    std::uint32_t usPerFrame = 40000, flags = 0, totalFrames = 0, initialFrames = 0;
    std::uint32_t streamFlags = 0; // of every stream
    int width = 4, height = 2;
    std::vector<Stream> streams;
    std::vector<std::string> movi;
    bool index = false;
    std::set<int> keyFrames{0};
    long indexShift = 0; // added to every offset: a damaged index
};
