// What one pass of a match animation costs: eight moving copies of a
// 320 × 240 animation on a 1920 × 1080 stage, moved and ticked as the game
// does it (only the dirty areas recomposed and shown), against the same pass
// with the whole stage recomposed and shown.
#include "AnimationMaker.h"

#include "game/MatchAnimation.h"
#include "engine/core/mDirector.h"
#include "platform/CrtRand.h"
#include "platform/HostPathMap.h"
#include "platform/RgbSurface.h"

#include "../tests/TempFolder.h"
#include "../tests/doubles/FakeClock.h"

#include <QGuiApplication>
#include <QPainter>

#include <chrono>
#include <cstdio>

namespace {

constexpr int ScreenW = 1920, ScreenH = 1080, Passes = 400;

QImage Picture()
{
    QImage picture(200, 200, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(250, 190, 40));
    painter.drawEllipse(10, 10, 180, 180);
    painter.setBrush(QColor(60, 40, 20));
    painter.drawEllipse(60, 60, 25, 35);
    painter.drawEllipse(115, 60, 25, 35);
    painter.drawRect(60, 130, 80, 12);
    return picture;
}

// Microseconds per pass, the stage wholly redrawn when asked.
double PassCost(const std::string& folder, bool wholeStage)
{
    platform::RgbSurface window(ScreenW, ScreenH);
    FakeClock clock;
    platform::CrtRand rand;
    rand.Seed(1);
    platform::HostPathMap paths;
    MatchAnimation animation(window, ScreenW, ScreenH, clock, rand, paths);
    if (!animation.Load(folder + "/anim/bench.flc", false, ScreenW, ScreenH)) return -1;
    const mRect all{0, 0, ScreenW, ScreenH};
    int passes = 0;
    auto pass = [&] {
        // Passes are 50 ms apart, give or take the time a pass takes.
        clock.ms += std::uint32_t(49 + passes++ % 3);
        animation.MoveAll(ScreenW, ScreenH);
        if (wholeStage) animation.Director().Invalidate(&all, 1);
        animation.Tick();
    };
    for (int i = 0; i < 20; ++i) pass();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Passes; ++i) pass();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / Passes;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TempFolder folder;
    folder.Write("anim/bench.flc", AnimationMaker::Flc(AnimationMaker::Frames(Picture(), AnimationMaker::Spin),
                                                        AnimationMaker::PeriodMs));
    const double dirty = PassCost(folder.Path(), false);
    const double whole = PassCost(folder.Path(), true);
    std::printf("match animation pass, 8 × 320x240 on 1920x1080: dirty areas %.0f us, whole stage %.0f us, "
                "ratio %.1f\n",
                dirty, whole, whole / dirty);
    return dirty > 0 ? 0 : 1;
}
