#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace platform {
namespace {

using ButtonList = std::vector<std::pair<QMessageBox::StandardButton, int>>;

ButtonList ButtonsFor(unsigned style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconFor(unsigned style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// A question that must be answered: neither Escape nor the close button
// takes it away.
class AnswerBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool mustAnswer = false;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (mustAnswer && event->matches(QKeySequence::Cancel)) return event->accept();
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (mustAnswer) return event->ignore();
        QMessageBox::closeEvent(event);
    }
};

// Closing the box without a button answers like its cancel button would,
// or like its only button when it has no cancel.
int EscapeResult(const ButtonList& buttons)
{
    for (const auto& b : buttons)
        if (b.second == IDCANCEL) return IDCANCEL;
    if (buttons.size() == 1) return buttons.front().second;
    return IDNO;
}

} // namespace

int QtMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style)
{
    // Shown over the window the player is looking at, which may stand
    // above the owner.
    QWidget* active = QApplication::activeWindow();
    AnswerBox box(IconFor(style), QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::NoButton, active ? active : owner_);
    box.mustAnswer = (style & MB_TYPEMASK) == MB_YESNO;
    const ButtonList buttons = ButtonsFor(style);
    for (const auto& b : buttons) box.addButton(b.first);
    box.setDefaultButton(buttons.front().first);
    // A box must be answerable with the mouse, also while an animation
    // hides the pointer.
    const QCursor* pointer = QGuiApplication::overrideCursor();
    const bool pointerHidden = pointer && pointer->shape() == Qt::BlankCursor;
    if (pointerHidden) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (pointerHidden) QGuiApplication::restoreOverrideCursor();

    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const auto& b : buttons)
        if (b.first == clicked) return b.second;
    return EscapeResult(buttons);
}

} // namespace platform
