// Any bytes as a picture file and a text of description and script lines
// that cuts it: the first byte chooses the picture's kind, the next two its
// length, the rest is the text. An image sprite loads the text, steps and
// draws. Never out of bounds, never a hang.
#include "engine/core/mBitmap.h"
#include "engine/core/mFile.h"
#include "engine/sprites/mImageBitmap.h"
#include "engine/sprites/mSpriteImage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& Folder()
{
    static const std::string folder = [] {
        // Two files are written for every input: in memory where there is a
        // memory file system, the disk is not the one being tested.
        std::error_code ignored;
        const bool shm = std::filesystem::is_directory("/dev/shm", ignored);
        const auto base = shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
        const auto path = base / ("pairlet-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        // Taken away when the fuzzer ends.
        static const struct Remove {
            std::filesystem::path folder;
            ~Remove()
            {
                std::error_code ignored;
                std::filesystem::remove_all(folder, ignored);
            }
        } remove{path};
        return path.string();
    }();
    return folder;
}

std::string Write(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Pictures of a quarter megabyte at most: larger ones are refused, as
    // all are past the usual limit. Every picture is copied whole, and at
    // full size the copies, not the descriptions, would take the time; the
    // picture targets keep the usual limit.
    static const bool limited = (mBitmap::SetPixelLimit(256 << 10), true);
    (void)limited;
    if (size < 3) return 0;
    static const char* const kinds[] = {"p.bmp", "p.flc", "p.pcx", "p.dcx", "p.fli"};
    const std::size_t pictureBytes = std::min<std::size_t>(std::size_t(data[1] | data[2] << 8), size - 3);
    const std::string picture = Write(kinds[data[0] % 5], data + 3, pictureBytes);
    const std::string text = Write("scene.txt", data + 3 + pictureBytes, size - 3 - pictureBytes);
    mBitmap target(48, 32, 8);
    {
        auto* image = new mImageBitmap;
        mSpriteImage sprite;
        sprite.SetImage(image);
        mFile file;
        if (file.OpenFile(text.c_str())) {
            sprite.LoadScript(file);
            file.CloseFile();
        }
        sprite.Attach(); // without a director: the image's target is set after
        image->SetTarget(&target);
        image->SetTransparent(data[0] & 8);
        image->SetRemap(data[0] & 16);
        image->MatchPalette();
        for (int step = 0; step < 24; ++step) {
            sprite.Step(std::uint32_t(step * 40));
            const mRect clip{step - 8, 0, 40, 30};
            image->Draw(step - 10, step % 7 - 3, step % 2 ? &clip : nullptr);
        }
        image->SetTarget(nullptr);
    }
    // A text may name any picture: one left by an earlier input would make
    // runs depend on their order.
    std::remove(picture.c_str());
    std::remove(text.c_str());
    return 0;
}
