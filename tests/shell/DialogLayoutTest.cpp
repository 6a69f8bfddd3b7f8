// Every dialog's caption, and its controls where its layout in dialog units puts them, read
// back from the widgets in the units of the dialog's own size, whatever the
// desktop font makes of a unit.
#include "shell/CAboutDlg.h"
#include "shell/CGridDlg.h"
#include "shell/CInstallCdDlg.h"

#include "TempFolder.h"
#include "doubles/EngineReports.h"
#include "doubles/FakeVolumes.h"
#include "doubles/PacedClock.h"
#include "doubles/RecordingLauncher.h"
#include "doubles/RecordingShellFiles.h"
#include "doubles/ScriptedFolderBrowser.h"
#include "doubles/ScriptedMessageBoxes.h"
#include "resources/AboutAnimation.h"
#include "shell/SettingsStore.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Row {
    std::string control; // its text without '&' and line breaks, or "icon", "edit", "frame"
    int left, top, width, height;
    char align = ' '; // of a text: 'l'eft, 'r'ight or 'c'entred
};

char Alignment(const QWidget& w)
{
    const auto* label = qobject_cast<const QLabel*>(&w);
    if (!label || !label->pixmap().isNull()) return ' ';
    const Qt::Alignment a = label->alignment();
    return a & Qt::AlignRight ? 'r' : a & Qt::AlignHCenter ? 'c' : 'l';
}

std::string TextOf(const QWidget& w)
{
    QString text;
    if (auto* b = qobject_cast<const QAbstractButton*>(&w)) text = b->text();
    else if (auto* g = qobject_cast<const QGroupBox*>(&w)) text = g->title();
    else if (auto* l = qobject_cast<const QLabel*>(&w)) text = l->pixmap().isNull() ? l->text() : "icon";
    else if (qobject_cast<const QLineEdit*>(&w)) text = "edit";
    else if (w.metaObject() == &QFrame::staticMetaObject) text = "frame";
    return text.remove('&').replace('\n', ' ').toStdString();
}

std::string Describe(const Row& r)
{
    return r.control + ": " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
           "," + std::to_string(r.height) + r.align;
}

// The controls of the dialog in its units, as rows sorted like the table.
std::vector<std::string> Layout(const QWidget& dialog, int width, int height, const std::vector<Row>& wanted)
{
    const double unitX = dialog.width() / double(width), unitY = dialog.height() / double(height);
    auto units = [](int pixels, double unit) { return int(std::lround(pixels / unit)); };
    std::vector<std::string> found;
    for (const Row& row : wanted) {
        std::string seen = row.control + ": none";
        for (const QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (TextOf(*w) != row.control) continue;
            const QRect g = w->geometry();
            const int left = units(g.left(), unitX), top = units(g.top(), unitY);
            seen = Describe({row.control, left, top, units(g.left() + g.width(), unitX) - left,
                             units(g.top() + g.height(), unitY) - top, Alignment(*w)});
            if (left == row.left && top == row.top) break; // two icons, two frames
        }
        found.push_back(seen);
    }
    return found;
}

std::vector<std::string> Expected(const std::vector<Row>& rows)
{
    std::vector<std::string> out;
    for (const Row& r : rows) out.push_back(Describe(r));
    return out;
}

class DialogLayoutTest : public ::testing::Test {
public:
    void SetUp() override { SetSettingsKey("Pairlet", "Software\\Quillory\\Pairlet"); }
    TempConfigHome config;
};

TEST_F(DialogLayoutTest, ControlsStandWhereTheLayoutSays)
{
    const std::vector<Row> about = {
        {"I love making animation and programs like Pairlet, and I am grateful for people like you who help to make "
         "it all possible.  Thanks for your support!",
         38, 156, 168, 24, 'c'},
        {"icon", 61, 188, 20, 20},
        {"icon", 163, 188, 20, 20},
        {"OK", 78, 210, 90, 22},
        {"Visit my website", 28, 236, 90, 18},
        {"Send me email", 128, 236, 88, 18},
        {"frame", 6, 5, 231, 256},
        {"frame", 57, 140, 132, 1},
    };
    PacedClock clock;
    RecordingLauncher launcher;
    EngineReports reports;
    CAboutDlg aboutBox(nullptr, clock, launcher, AboutAnimationData, AboutAnimationDataSize);
    EXPECT_EQ(Expected(about), Layout(aboutBox, 245, 267, about));
    EXPECT_EQ("About Pairlet", aboutBox.windowTitle());
    for (const QLabel* icon : aboutBox.findChildren<QLabel*>()) {
        if (icon->pixmap().isNull()) continue;
        EXPECT_EQ(QSize(32, 32), icon->pixmap().deviceIndependentSize().toSize());
    }

    const std::vector<Row> grid = {
        {"Grid Size", 5, 5, 125, 45},  {"4x4", 10, 20, 25, 10},     {"4x5", 10, 35, 25, 10},
        {"5x6", 40, 20, 25, 10},       {"6x6", 40, 35, 25, 10},     {"6x7", 70, 20, 25, 10},
        {"7x8", 70, 35, 25, 10},       {"8x8", 100, 20, 25, 10},    {"8x9", 100, 35, 25, 10},
        {"Number of Tiles required for Match", 5, 55, 125, 45},     {"Match 2", 15, 70, 40, 10},
        {"Match 3", 15, 85, 40, 10},   {"Match 4", 64, 70, 45, 10}, {"Match 4 Corners", 64, 85, 63, 10},
        {"OK", 70, 105, 60, 20},       {"Cancel", 5, 105, 60, 20},
    };
    CGridDlg gridSettings(nullptr);
    EXPECT_EQ(Expected(grid), Layout(gridSettings, 137, 133, grid));
    EXPECT_EQ("Grid Settings", gridSettings.windowTitle());

    const std::vector<Row> install = {
        {"Destination Folder:", 10, 4, 67, 8, 'l'},
        {"edit", 10, 15, 286, 14},
        {"Free space required for this operation:", 2, 37, 127, 8, 'r'},
        {"117 MB", 137, 37, 40, 8, 'r'},
        {"Space available on selected drive:", 12, 48, 117, 8, 'r'},
        {"??? MB", 134, 48, 43, 8, 'r'},
        {"Select New Destination Folder", 227, 34, 67, 25},
        {"Cancel", 85, 69, 60, 20},
        {"Copy Files", 161, 69, 60, 20},
    };
    ScriptedMessageBoxes boxes;
    FakeVolumes volumes;
    volumes.volumes = {{"/", ""}, {"/media/cd/", "LUMARIS_1"}};
    ScriptedFolderBrowser folders;
    RecordingShellFiles files;
    CInstallCdDlg::Memory memory;
    CInstallCdDlg installer(nullptr, CInstallCdDlg::Services{boxes, volumes, folders, files, [](int) {}}, memory);
    EXPECT_EQ(Expected(install), Layout(installer, 308, 98, install));
    EXPECT_EQ("Install Animation from Lumaris Animation CD", installer.windowTitle());
}

} // namespace
