// Any bytes as a sprite script compiled from memory, then run for a few
// dozen steps with hits, pauses, restarts and catch-up. Never out of
// bounds, never a hang, never a division by zero.
#include "engine/core/mFile.h"
#include "engine/sprites/mScript.h"
#include "engine/sprites/mSprite.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    mSprite sprite, other;
    mFile file;
    file.OpenMemory(text.data(), long(text.size()));
    sprite.LoadScript(file);
    // A second text on the same sprite: the first program's jumps stay.
    file.FileSeek(long(size / 2), SEEK_SET);
    sprite.LoadScript(file);
    file.CloseFile();
    sprite.SetCatchUp(size % 2 == 0);
    for (int step = 0; step < 48; ++step) {
        other.hitId = std::uint32_t(step % 5);
        if (step % 7 == 3) sprite.Hit(&other);
        if (step % 11 == 10) sprite.Resume();
        if (step == 30) sprite.PlayFrom(int(size % 9));
        sprite.Step(std::uint32_t(step * 37));
    }
    return 0;
}
