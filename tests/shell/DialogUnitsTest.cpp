// Layouts in dialog units on a plain dialog: a unit across is a quarter of
// the font's average character width, a unit down an eighth of its height.
#include "shell/DialogUnits.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(DialogUnitsTest, ADialogKeepsTheFontsUnitsUnlessATextIsCutShort)
{
    struct Case {
        const char* text;
        int widening; // of the font's base width
    };
    for (const Case c : {Case{"OK", 1}, Case{"A text far longer than the twenty units it is given", 2}}) {
        SCOPED_TRACE(c.text);
        QWidget dialog(nullptr, Qt::Dialog);
        DialogUnits units(dialog.font());
        const int base = units.BaseWidth(), line = units.BaseHeight();
        auto* label = new QLabel(c.text, &dialog);
        units.Place(*label, 40, 16, 20, 16);
        units.SizeDialog(dialog, 100, 80);
        units.FitTexts();
        // Widened at most twice, and only as far as the text needs.
        EXPECT_EQ(c.widening * base, units.BaseWidth());
        EXPECT_EQ(QSize(25 * c.widening * base, 10 * line), dialog.size());
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "a dialog is not resized";
        EXPECT_EQ(QRect(10 * c.widening * base, 2 * line, 5 * c.widening * base, 2 * line), label->geometry());
    }
}

} // namespace
