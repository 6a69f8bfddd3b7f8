// Any bytes as an animation shown by three sprites on a small stage: off the
// edges, see-through or not, stepped late and on time, moved and hidden.
// Decoding, clipping, dirty areas and presenting must stay in bounds.
#include "engine/core/mDirector.h"
#include "engine/core/mImageFlic.h"
#include "engine/sprites/mSpriteImage.h"
#include "platform/Clock.h"
#include "platform/RgbSurface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace {
class StepClock : public platform::Clock {
public:
    std::uint32_t Milliseconds() override { return ms; }
    std::uint32_t Seconds() override { return ms / 1000; }
    void Sleep(std::uint32_t milliseconds) override { ms += milliseconds; }
    std::uint32_t ms = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    auto* image = new mImageFlic();
    image->OpenMemory(bytes.data(), long(bytes.size()));
    StepClock clock;
    platform::RgbSurface window(61, 47);
    mDirector stage(window, 61, 47, clock, 50);
    std::unique_ptr<mSpriteImage> sprites[3];
    const int places[3][2] = {{-5, -9}, {30, 20}, {58, 44}};
    for (int i = 0; i < 3; ++i) {
        sprites[i] = std::make_unique<mSpriteImage>();
        sprites[i]->SetImage(image);
        image->SetRemap(i == 1);
        image->SetTransparent(i != 2);
        sprites[i]->SetOrigin(i * 3, i * 2);
        sprites[i]->MoveTo(places[i][0], places[i][1], i);
        sprites[i]->SetCatchUp(i == 0);
        sprites[i]->SetSpeed(i == 1 ? 300 : 100);
        stage.AddElement(sprites[i].get());
    }
    stage.SetDirtyCapacity(12);
    for (int tick = 0; tick < 12; ++tick) {
        clock.ms += std::uint32_t(tick * 37 % 250);
        sprites[tick % 3]->MoveBy(tick % 5 - 2, 3 - tick % 7, 0);
        if (tick == 4) sprites[1]->Hide();
        if (tick == 7) sprites[1]->Show();
        stage.Tick();
    }
    for (auto& sprite : sprites) stage.RemoveElement(sprite.get());
    return 0;
}
