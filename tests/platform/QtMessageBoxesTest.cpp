#include "platform/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A box the test could not answer fails it and is closed, so that a fault
// shows as a failure and not as a test that never ends.
void CloseIfStillOpen(QWidget* box, const char* why)
{
    auto* dialog = qobject_cast<QDialog*>(box);
    if (!dialog || !dialog->isVisible()) return;
    ADD_FAILURE() << why;
    dialog->done(0);
}

} // namespace

TEST(QtMessageBoxes, AYesNoQuestionIsAnsweredOnlyByYesOrNo)
{
    platform::QtMessageBoxes boxes;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        stillOpen = box->isVisible();
        for (QAbstractButton* b : box->buttons())
            if (b->text().remove('&') == "Yes") b->click();
        CloseIfStillOpen(box, "Yes did not answer the box");
    });
    EXPECT_EQ(boxes.Show("Game Over.  Play Again?", "Game Over", platform::MB_YESNO), platform::IDYES);
    EXPECT_TRUE(stillOpen);

    // A box with a cancel button still goes with Escape.
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        QTest::keyClick(box, Qt::Key_Escape);
        CloseIfStillOpen(box, "Escape did not cancel the box");
    });
    EXPECT_EQ(boxes.Show("t", "c", platform::MB_YESNOCANCEL), platform::IDCANCEL);
}

TEST(QtMessageBoxes, ABoxShowsThePointerThatAnAnimationHid)
{
    platform::QtMessageBoxes boxes;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    Qt::CursorShape during = Qt::BlankCursor;
    QTimer::singleShot(0, [&] {
        during = QGuiApplication::overrideCursor()->shape();
        QWidget* box = QApplication::activeModalWidget();
        QTest::keyClick(box, Qt::Key_Return);
        CloseIfStillOpen(box, "Return did not answer the box");
    });
    boxes.Show("Bad frame header", "mImageFlic", platform::MB_ICONERROR);
    EXPECT_EQ(during, Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    QGuiApplication::restoreOverrideCursor();
}
