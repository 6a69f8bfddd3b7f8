// Grid Settings offscreen, against a settings store in a temporary folder.
#include "shell/CGridDlg.h"

#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace {

using Writes = std::vector<std::pair<std::string, std::int32_t>>;

class CGridDlgTest : public ::testing::Test {
public:
    void SetUp() override { SetSettingsKey("Pairlet", "Software\\Quillory\\Pairlet"); }

    // Runs the dialog; act works on it once it shows.
    int Run(CGridDlg& dialog, std::function<void(CGridDlg&)> act)
    {
        QTimer::singleShot(0, &dialog, [&dialog, act] {
            // Mnemonics answer in the active window only.
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            act(dialog);
        });
        return dialog.exec();
    }
    CGridDlg::NumberWriter Recorder()
    {
        return [this](const std::string& name, std::int32_t value) {
            writes.emplace_back(name, value);
            return WriteNumber(name, value);
        };
    }

    TempConfigHome config;
    Writes writes;
};

TEST_F(CGridDlgTest, ChecksTheStoredChoiceWithItsOwnDefaults)
{
    struct Case {
        std::optional<int> rows, columns, match, split;
        int size, kind;
    };
    const std::vector<Case> cases = {
        {{}, {}, {}, {}, CGridDlg::IDC_5X6, CGridDlg::IDC_MATCH2}, // nothing stored: 5 rows, not 6
        {7, 8, 4, 1, CGridDlg::IDC_7X8, CGridDlg::IDC_MATCH4_CORNERS},
        {8, 8, 4, 0, CGridDlg::IDC_8X8, CGridDlg::IDC_MATCH4},
        {5, 8, 3, 1, CGridDlg::IDC_8X8, CGridDlg::IDC_MATCH3},
        {7, 6, 9, {}, CGridDlg::IDC_6X6, CGridDlg::IDC_MATCH2},
        {4, 4, 2, 1, CGridDlg::IDC_4X4, CGridDlg::IDC_MATCH2},
        {9, 5, {}, {}, CGridDlg::IDC_4X5, CGridDlg::IDC_MATCH2},
        {3, 3, {}, {}, CGridDlg::IDC_6X6, CGridDlg::IDC_MATCH2},
    };
    for (const Case& c : cases) {
        TempConfigHome fresh;
        SCOPED_TRACE(testing::Message() << c.rows.value_or(-1) << "x" << c.columns.value_or(-1) << " match "
                                        << c.match.value_or(-1) << " split " << c.split.value_or(-1));
        if (c.rows) WriteNumber("rows", *c.rows);
        if (c.columns) WriteNumber("columns", *c.columns);
        if (c.match) WriteNumber("match", *c.match);
        if (c.split) WriteNumber("split", *c.split);
        CGridDlg dialog(nullptr);
        for (int id = CGridDlg::IDC_4X4; id <= CGridDlg::IDC_8X9; ++id)
            EXPECT_EQ(dialog.Control(id)->isChecked(), id == c.size) << id;
        for (int id = CGridDlg::IDC_MATCH2; id <= CGridDlg::IDC_MATCH4_CORNERS; ++id)
            EXPECT_EQ(dialog.Control(id)->isChecked(), id == c.kind) << id;
    }
}

// OK writes match, split, rows and columns in that order, each size as
// its label shows it; 20 tiles do not make sets of 3, and are written all
// the same.
TEST_F(CGridDlgTest, OkWritesTheChoiceInTheOrderOfferedAndEachSizeAsItsLabelShows)
{
    const int kinds[] = {CGridDlg::IDC_MATCH4_CORNERS, CGridDlg::IDC_MATCH3, CGridDlg::IDC_MATCH2, CGridDlg::IDC_MATCH4};
    for (int id = CGridDlg::IDC_4X4; id <= CGridDlg::IDC_8X9; ++id) {
        const int kind = kinds[(id - CGridDlg::IDC_4X4) % 4];
        writes.clear();
        CGridDlg dialog(nullptr, Recorder());
        QString label;
        const int result = Run(dialog, [&](CGridDlg& d) {
            label = d.Control(id)->text();
            QTest::mouseClick(d.Control(id), Qt::LeftButton);
            QTest::mouseClick(d.Control(kind), Qt::LeftButton);
            QTest::keyClick(&d, Qt::Key_O, Qt::AltModifier);
        });
        SCOPED_TRACE(label.toStdString());
        EXPECT_EQ(result, QDialog::Accepted);
        const QStringList sides = label.split('x');
        ASSERT_EQ(2, sides.size());
        const int match = kind == CGridDlg::IDC_MATCH3 ? 3 : kind == CGridDlg::IDC_MATCH2 ? 2 : 4;
        EXPECT_EQ(writes, (Writes{{"match", match},
                                  {"split", kind == CGridDlg::IDC_MATCH4_CORNERS},
                                  {"rows", sides[0].toInt()},
                                  {"columns", sides[1].toInt()}}));
        EXPECT_EQ(ReadNumber("columns", 0), sides[1].toInt());
    }
}

} // namespace
