// The About box on the offscreen platform, with its real animation, a clock
// that moves only when the dialog's loop sleeps, and a recording launcher.
#include "shell/CAboutDlg.h"

#include "doubles/PacedClock.h"
#include "doubles/RecordingLauncher.h"
#include "doubles/EngineReports.h"
#include "engine/core/mObject.h"
#include "resources/AboutAnimation.h"
#include "shell/AnimationControl.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

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
    std::vector<std::uint32_t> Shown(const CAboutDlg& dialog)
    {
        const platform::RgbSurface& picture = *dialog.Animation().Picture();
        return {picture.Data(), picture.Data() + picture.Width() * picture.Height()};
    }
    void Post(QWidget* to, int key) { QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, {})); }

    TempConfigHome config;
    EngineReports boxes;
    PacedClock clock;
    RecordingLauncher launcher;
};

TEST_F(CAboutDlgTest, TheAnimationLoopsOnTheDialogColourUntilOkEndsItThroughTheShutDown)
{
    CAboutDlg dialog(nullptr, clock, launcher, AboutAnimationData, AboutAnimationDataSize);
    // Resized, with its corner where the layout put it: 54 of 245 units
    // across, 19 of 267 down.
    const QRect host = dialog.Animation().geometry();
    EXPECT_EQ(host.size(), QSize(200, 75));
    EXPECT_NEAR(host.left(), 54.0 * dialog.width() / 245, 2.0);
    EXPECT_NEAR(host.top(), 19.0 * dialog.height() / 267, 2.0);

    const std::uint32_t dialogColour = 0xFF000000u | dialog.palette().color(QPalette::Window).rgb();
    std::vector<std::vector<std::uint32_t>> seen;
    int ticksAtOk = -1, ticksAtEnd = -1;
    const int result = Run(dialog, [&](int ticks) {
        if (ticks > 0) seen.push_back(Shown(dialog));
        if (ticks == 60) {
            ticksAtOk = ticks;
            dialog.Button(CAboutDlg::IDOK)->click();
            EXPECT_TRUE(dialog.isVisible()) << "OK waits for the next pass";
        }
        ticksAtEnd = ticks;
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ticksAtEnd, ticksAtOk) << "the pass in which OK came is the last";
    EXPECT_FALSE(dialog.Animating());
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].caption << ": " << boxes.shown[0].text;

    // 60 ticks of 50 ms are more than three rounds of 30 frames of 30 ms.
    std::set<std::vector<std::uint32_t>> distinct(seen.begin(), seen.end());
    EXPECT_GE(distinct.size(), 20u);
    EXPECT_LT(distinct.size(), seen.size()) << "frames come round again";
    for (const auto& picture : seen) {
        ASSERT_EQ(picture.size(), 200u * 75u);
        // The corners are the animation's see-through ground.
        for (std::size_t at : {std::size_t(0), std::size_t(199), std::size_t(200 * 74), picture.size() - 1})
            ASSERT_EQ(picture[at], dialogColour) << at;
    }
}

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

TEST_F(CAboutDlgTest, TheLinksOpenWhileTheAnimationGoesOn)
{
    CAboutDlg dialog(nullptr, clock, launcher, AboutAnimationData, AboutAnimationDataSize);
    int ticksAfterLinks = 0;
    Run(dialog, [&](int ticks) {
        if (ticks == 2) QTest::mouseClick(dialog.Button(CAboutDlg::IDC_WEBSITE), Qt::LeftButton);
        if (ticks == 3) QTest::mouseClick(dialog.Button(CAboutDlg::IDC_EMAIL), Qt::LeftButton);
        if (ticks > 3 && dialog.Animating()) ++ticksAfterLinks;
        if (ticks == 6) dialog.Button(CAboutDlg::IDOK)->click();
    });
    EXPECT_EQ(ticksAfterLinks, 3);
    EXPECT_EQ(launcher.opened,
              (std::vector<std::string>{"https://pairlet.example.org/", "mailto:hello@pairlet.example.org?subject=Pairlet"}));
}

TEST_F(CAboutDlgTest, WithoutAnAnimationTheDialogStillWorks)
{
    const unsigned char notAnimation[] = "this is no animation at all, just some bytes of text";
    CAboutDlg dialog(nullptr, clock, launcher, notAnimation, sizeof notAnimation);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "mImageFlic");
    EXPECT_FALSE(dialog.Animating());
    EXPECT_EQ(dialog.Animation().Picture(), nullptr);
    dialog.show();
    dialog.repaint(); // no director to invalidate
    QTest::mouseClick(dialog.Button(CAboutDlg::IDOK), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(clock.pauses, 0) << "no loop without an animation";
}

} // namespace
