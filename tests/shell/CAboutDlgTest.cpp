// The About box on the offscreen platform, with its real animation, a clock
// that moves only when the dialog's loop sleeps, and a recording launcher.
#include "shell/AnimationControl.h"
#include "shell/CAboutDlg.h"

#include "doubles/PacedClock.h"
#include "doubles/RecordingLauncher.h"
#include "doubles/EngineReports.h"
#include "resources/AboutAnimation.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <set>
#include <vector>


namespace {

class CAboutDlgTest : public ::testing::Test {
public:
    void SetUp() override { SetSettingsKey("Pairlet", "Software\\Quillory\\Pairlet"); }

    // Runs the dialog; act is called at each pause of its loop with the
    // number of ticks so far. Returns the dialog's result.
    int Run(CAboutDlg& dialog, std::function<void(int ticks)> act)
    {
        clock.pauses = 0;
        clock.onPause = [act](int pause) { act(pause - 1); };
        const int result = dialog.exec();
        clock.onPause = nullptr;
        return result;
    }
    void Post(QWidget* to, int key) { QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, {})); }

    TempConfigHome config;
    EngineReports boxes;
    PacedClock clock;
    RecordingLauncher launcher;
};

TEST_F(CAboutDlgTest, EnterEscapeCancelAndTheCloseBoxEndItThroughTheShutDown)
{
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        CAboutDlg dialog(nullptr, clock, launcher, AboutAnimationData, AboutAnimationDataSize);
        int lastTick = 0, keysDelivered = 0;
        QObject::connect(dialog.Button(CAboutDlg::IDOK), &QPushButton::pressed, [&] { ++keysDelivered; });
        const int result = Run(dialog, [&](int ticks) {
            lastTick = ticks;
            if (ticks != 3) return;
            if (way == 0) Post(dialog.Button(CAboutDlg::IDOK), Qt::Key_Return);
            if (way == 1) Post(&dialog, Qt::Key_Escape);
            if (way == 2) dialog.reject();
            if (way == 3) dialog.close();
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(lastTick, 3);
        EXPECT_EQ(keysDelivered, 0) << "the key goes nowhere";
        EXPECT_FALSE(dialog.Animating());
    }
}

// What the control shows is what its director drew, pixel for pixel.
TEST_F(CAboutDlgTest, TheAnimationShowsTheDirectorsPicture)
{
    CAboutDlg dialog(nullptr, clock, launcher, AboutAnimationData, AboutAnimationDataSize);
    QImage shown;
    std::vector<QRgb> drawn;
    Run(dialog, [&](int ticks) {
        if (ticks != 3) return;
        const platform::RgbSurface* picture = dialog.Animation().Picture();
        ASSERT_NE(picture, nullptr);
        drawn.assign(picture->Data(), picture->Data() + picture->Width() * picture->Height());
        shown = dialog.Animation().grab().toImage().convertToFormat(QImage::Format_RGB32);
        dialog.reject();
    });
    ASSERT_EQ(std::size_t(shown.width()) * std::size_t(shown.height()), drawn.size());
    std::set<QRgb> colours;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            ASSERT_EQ(drawn[std::size_t(y * shown.width() + x)], shown.pixel(x, y)) << x << "," << y;
            colours.insert(shown.pixel(x, y));
        }
    EXPECT_GT(colours.size(), 4u) << "a picture, not a fill";
}

} // namespace
