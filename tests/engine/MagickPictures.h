#pragma once

// Pictures written and decoded by ImageMagick, the independent reference
// for the engine's picture sources.
#include "engine/sprites/mRenderer.h"

#include "TempFolder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

class MagickPictureTest : public ::testing::Test {
protected:

    // A picture with smooth and sharp changes, as PPM.
    std::string Picture(const std::string& name, int w, int h, int seed)
    {
        std::string ppm = "P6 " + std::to_string(w) + " " + std::to_string(h) + " 255\n";
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                ppm.push_back(char((x * 7 + seed * 40) & 0xFF));
                ppm.push_back(char((y * 11 + (x / 5) * 30) & 0xFF));
                ppm.push_back(char(((x ^ y) * 5 + seed) & 0xFF));
            }
        return folder.Write(name + ".ppm", ppm);
    }
    static void Run(const std::string& command) { ASSERT_EQ(0, std::system(command.c_str())) << command; }
    // ImageMagick's decode: red, green, blue per pixel.
    Bytes Reference(const std::string& file)
    {
        const std::string out = folder / "reference.rgb";
        Run("convert '" + file + "' -depth 8 rgb:'" + out + "'");
        std::ifstream in(out, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // The engine's decode into an 8-bit target of the frame's size.
    static Bytes Ours(mRenderer& source, mBitmap& target)
    {
        target.Create(source.frameInfo->width, -source.frameInfo->height, 8);
        source.SetTarget(&target);
        EXPECT_EQ(0, source.Draw(0, 0, nullptr));
        source.SetTarget(nullptr);
        Bytes indexes;
        for (int y = 0; y < target.desc.height; ++y)
            indexes.insert(indexes.end(), target.Row(y), target.Row(y) + target.desc.width);
        return indexes;
    }
    static Bytes Colours(const Bytes& indexes, const std::uint32_t* table)
    {
        Bytes rgb;
        for (std::uint8_t i : indexes)
            for (int shift : {16, 8, 0}) rgb.push_back(std::uint8_t(table[i] >> shift));
        return rgb;
    }

    // True-colour pictures: each pixel is the target's colour nearest to the
    // reference colour cut to 4 bits a component.
    static void ExpectReferenceConversion(const Bytes& rgb, const Bytes& ours, const mBitmap& target)
    {
        ASSERT_EQ(rgb.size(), ours.size() * 3);
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const std::uint32_t cut = std::uint32_t(rgb[3 * i] & 0xF0) << 16 |
                                      std::uint32_t(rgb[3 * i + 1] & 0xF0) << 8 | (rgb[3 * i + 2] & 0xF0);
            ASSERT_EQ(target.NearestColor(cut), ours[i]) << "pixel " << i;
        }
    }

    EngineReports boxes;
    TempFolder folder;
};

