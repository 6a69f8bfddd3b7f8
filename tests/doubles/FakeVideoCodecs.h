#pragma once

#include "platform/VideoCodecs.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

// Video decompressors that log what they are asked. A frame's first byte is
// its picture: every pixel becomes it. Palette changes are logged and taken.
class FakeVideoCodecs : public platform::VideoCodecs {
public:
    class Decompressor : public platform::VideoDecompressor {
    public:
        explicit Decompressor(FakeVideoCodecs& codecs) : codecs_(codecs) {}
        ~Decompressor() override { codecs_.log.push_back("close"); }
        bool Begin(const std::uint8_t*, std::size_t bytes) override
        {
            codecs_.log.push_back("begin " + std::to_string(bytes));
            return !codecs_.refuseBegin;
        }
        bool IndexedOutput() const override { return true; }
        void GetPalette(std::uint32_t* colours) const override
        {
            codecs_.log.push_back("palette");
            std::memcpy(colours, codecs_.palette.data(), 256 * 4);
        }
        void ChangePalette(int first, int count, const std::uint8_t* entries) override
        {
            codecs_.log.push_back("change " + std::to_string(first) + " " + std::to_string(count));
            for (int i = 0; i < count; ++i)
                codecs_.palette[std::size_t(first + i)] =
                    std::uint32_t(entries[4 * i] << 16 | entries[4 * i + 1] << 8 | entries[4 * i + 2]);
            changed_ = true;
        }
        bool Decompress(const std::uint8_t* data, std::size_t bytes, const platform::IndexedPicture& picture,
                        bool& paletteChanged) override
        {
            paletteChanged = changed_;
            changed_ = false;
            codecs_.log.push_back(bytes ? "frame " + std::to_string(data[0]) : "empty");
            if (!bytes) return false;
            for (int y = 0; y < picture.height; ++y)
                std::memset(picture.topRow + y * picture.rowStep, data[0], std::size_t(picture.width));
            return true;
        }
        void End() override { codecs_.log.push_back("end"); }

    private:
        FakeVideoCodecs& codecs_;
        bool changed_ = false;
    };

    std::unique_ptr<platform::VideoDecompressor> Open(std::uint32_t type, std::uint32_t handler, std::uint32_t mode) override
    {
        const std::string code(reinterpret_cast<const char*>(&handler), 4);
        log.push_back("open " + code + " " + std::to_string(mode));
        if (type != TypeVideo || code == refuseHandler) return nullptr;
        return std::make_unique<Decompressor>(*this);
    }

    // Frames the log says were decoded, by their first byte.
    std::vector<int> Decoded() const
    {
        std::vector<int> frames;
        for (const std::string& line : log)
            if (line.rfind("frame ", 0) == 0) frames.push_back(std::stoi(line.substr(6)));
        return frames;
    }

    std::vector<std::string> log;
    std::vector<std::uint32_t> palette = std::vector<std::uint32_t>(256, 0);
    std::string refuseHandler = "none";
    bool refuseBegin = false;
};
