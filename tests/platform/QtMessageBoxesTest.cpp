#include "platform/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
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

// Presses the button labelled `text` in the next modal box, once it is open,
// and remembers what the box showed.
struct BoxAnswer {
    QString text, caption, pressed;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;

    void PressWhenShown(const QString& buttonText)
    {
        QTimer::singleShot(0, [this, buttonText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return PressWhenShown(buttonText);
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            for (QAbstractButton* b : box->buttons()) {
                buttons << b->text().remove('&');
                if (b->text().remove('&') == buttonText) b->click();
            }
            CloseIfStillOpen(box, "the box has no such button");
        });
    }
};

} // namespace

TEST(QtMessageBoxes, ShowsTextCaptionIconAndReturnsThePressedButton)
{
    platform::QtMessageBoxes boxes;
    BoxAnswer answer;
    answer.PressWhenShown("No");
    const int result = boxes.Show("Game Over.  Play Again?", "Game Over", platform::MB_YESNO);
    EXPECT_EQ(result, platform::IDNO);
    EXPECT_EQ(answer.text.toStdString(), "Game Over.  Play Again?");
    EXPECT_EQ(answer.caption.toStdString(), "Game Over");
    EXPECT_EQ(answer.icon, QMessageBox::NoIcon);
    EXPECT_EQ(answer.buttons.size(), 2);

    answer.PressWhenShown("Yes");
    EXPECT_EQ(boxes.Show("q", "c", platform::MB_YESNO), platform::IDYES);
}

TEST(QtMessageBoxes, MapsStylesToIconsAndButtons)
{
    platform::QtMessageBoxes boxes;
    BoxAnswer answer;
    answer.PressWhenShown("OK");
    EXPECT_EQ(boxes.Show("Missing images in INI file!", "INI File Error", platform::MB_ICONERROR), platform::IDOK);
    EXPECT_EQ(answer.icon, QMessageBox::Critical);
    EXPECT_EQ(answer.buttons, QStringList{"OK"});

    answer = {};
    answer.PressWhenShown("Cancel");
    EXPECT_EQ(boxes.Show("t", "c", platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION), platform::IDCANCEL);
    EXPECT_EQ(answer.icon, QMessageBox::Warning);
}

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
