#include "shell/CAboutDlg.h"

#include "engine/core/mDirector.h"
#include "engine/core/mImageFlic.h"
#include "engine/core/mSolidElement.h"
#include "engine/sprites/mSpriteImage.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "shell/AnimationControl.h"
#include "shell/DialogUnits.h"
#include "shell/ThanksIcon.h"
#include "shell/WebLinks.h"
#include "platform/QtTexts.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>

#ifndef PAIRLET_VERSION
#define PAIRLET_VERSION ""
#endif

const char* const CAboutDlg::WebAddress = "https://pairlet.example.org/";
const char* const CAboutDlg::MailLink = "mailto:hello@pairlet.example.org?subject=Pairlet";

namespace {

constexpr int IconPixels = 32;

QLabel* AddText(QWidget* dialog, DialogUnits& units, const QString& text, QRect area)
{
    auto* label = new QLabel(text, dialog);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    units.Place(*label, area.x(), area.y(), area.width(), area.height());
    return label;
}

void AddEtched(QWidget* dialog, DialogUnits& units, QFrame::Shape shape, QRect area)
{
    auto* frame = new QFrame(dialog);
    frame->setFrameStyle(shape | QFrame::Sunken);
    units.Place(*frame, area.x(), area.y(), area.width(), area.height());
    if (shape == QFrame::HLine) frame->setFixedHeight(2);
}

void AddIcon(QWidget* dialog, DialogUnits& units, int left, int top)
{
    auto* icon = new QLabel(dialog);
    icon->setPixmap(ThanksIcon(IconPixels));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    units.Place(*icon, left, top, 20, 20);
}

bool IsEnterOrEscape(QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent, platform::Clock& clock, platform::Launcher& launcher,
                     const unsigned char* flic, std::size_t flicSize)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      clock_(clock), launcher_(launcher)
{
    setWindowTitle(platform::QTr("About", "About Pairlet"));
    setFont(DialogUnits::DialogFont());
    CreateControls();
    StartUp(flic, flicSize);
}

CAboutDlg::~CAboutDlg()
{
    if (director_ && sprite_) director_->RemoveElement(sprite_.get());
}

void CAboutDlg::CreateControls()
{
    DialogUnits units(font());
    units.SizeDialog(*this, 245, 267);
    AddEtched(this, units, QFrame::Box, {6, 5, 231, 256});
    animation_ = new AnimationControl(platform::QTr("About", "Animation"), this);
    units.Place(*animation_, 54, 19, 135, 39);
    AddText(this, units,
            platform::QTr("About", "Pairlet %1\n\nCopyright \u00A9 2026 The Pairlet developers.\nFree software under the MIT "
                                   "License.\nTile pictures: Twemoji, CC-BY 4.0.")
                .arg(PAIRLET_VERSION),
            {20, 72, 205, 60});
    AddEtched(this, units, QFrame::HLine, {57, 140, 132, 1});
    AddText(this, units,
            platform::QTr("About", "I love making animation and programs like Pairlet, and I am grateful for people "
                                   "like you who help to make it all possible.  Thanks for your support!"),
            {38, 156, 168, 24});
    AddIcon(this, units, 61, 188);
    AddText(this, units, platform::QTr("About", "Happy matching!\nThe Pairlet team"), {81, 189, 83, 18});
    AddIcon(this, units, 163, 188);
    ok_ = AddButton(units, IDOK, platform::QTr("About", "OK"), 78, 210, 90, 22);
    ok_->setDefault(true);
    website_ = AddButton(units, IDC_WEBSITE, platform::QTr("About", "Visit my website"), 28, 236, 90, 18);
    email_ = AddButton(units, IDC_EMAIL, platform::QTr("About", "Send me email"), 128, 236, 88, 18);
    units.FitTexts();
}

QPushButton* CAboutDlg::AddButton(DialogUnits& units, int id, const QString& text, int left, int top, int width,
                                  int height)
{
    auto* button = new QPushButton(text, this);
    units.Place(*button, left, top, width, height);
    connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
    return button;
}

QPushButton* CAboutDlg::Button(int id) const
{
    switch (id) {
    case IDOK: return ok_;
    case IDC_WEBSITE: return website_;
    case IDC_EMAIL: return email_;
    default: return nullptr;
    }
}

void CAboutDlg::StartUp(const unsigned char* flic, std::size_t flicSize)
{
    auto image = std::make_unique<mImageFlic>();
    if (!flic || !image->OpenMemory(flic, long(flicSize))) return;
    sprite_ = std::make_unique<mSpriteImage>();
    sprite_->SetImage(image.release());
    const int width = sprite_->Image()->frameInfo->width, height = sprite_->Image()->frameInfo->height;
    // Bytes that are no animation leave the dialog without one.
    if (width <= 0 || height <= 0) {
        sprite_.reset();
        return;
    }
    sprite_->Image()->SetRemap(false);
    sprite_->Image()->SetTransparent(true);
    sprite_->MoveTo(0, 0, 0);
    animation_->MakePicture(width, height, palette().color(QPalette::Window).rgb());
    director_ = std::make_unique<mDirector>(*animation_, width, height, clock_, DirtyCapacity);
    director_->AddElement(sprite_.get());
    // The loop starts from the first timer message, once the dialog shows.
    timerId_ = startTimer(TickMs);
}

void CAboutDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timerId_ || timerId_ == 0) return QDialog::timerEvent(event);
    killTimer(timerId_);
    timerId_ = 0;
    AnimationLoop();
}

void CAboutDlg::AnimationLoop()
{
    if (!director_) return;
    // Index 0 of the animation is not drawn, so the dialog's own colour shows.
    const std::uint32_t colour = palette().color(QPalette::Window).rgb() & 0x00FFFFFFu;
    director_->SetPalette(&colour, DialogColourIndex, 1);
    director_->background->SetColor(colour);
    QCoreApplication::instance()->installEventFilter(this);
    std::uint32_t lastTick = 0;
    keyEnded_ = false;
    for (;;) {
        const std::uint32_t elapsed = clock_.Milliseconds() - lastTick;
        if (elapsed < TickMs) clock_.Sleep(TickMs - elapsed);
        lastTick = clock_.Milliseconds();
        director_->background->SetColor(colour);
        director_->Tick();
        if (closeRequested_) break;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (keyEnded_ || !director_ || !isVisible()) break;
    }
    QCoreApplication::instance()->removeEventFilter(this);
    if (director_ && isVisible()) PostCommand(ID_SHUT_DOWN);
}

bool CAboutDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Enter and Escape end the animation and the dialog; the key itself goes
    // nowhere.
    if (!keyEnded_ && IsEnterOrEscape(event)) {
        keyEnded_ = true;
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CAboutDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!director_) return;
    const mRect stage{0, 0, director_->desc.width, director_->desc.height};
    director_->Invalidate(&stage, 1);
}

void CAboutDlg::OnCommand(int id)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
        if (director_)
            closeRequested_ = true;
        else
            QDialog::done(1);
        break;
    case IDC_WEBSITE: OpenWebPage(WebAddress, launcher_); break;
    case IDC_EMAIL: launcher_.Open(MailLink); break;
    case ID_SHUT_DOWN: ShutDown(); break;
    default: break;
    }
}

void CAboutDlg::ShutDown()
{
    if (director_) director_->RemoveElement(sprite_.get());
    sprite_.reset(); // releases the animation
    director_.reset();
    PostCommand(IDOK);
}

void CAboutDlg::PostCommand(int id)
{
    QMetaObject::invokeMethod(this, [this, id] { OnCommand(id); }, Qt::QueuedConnection);
}
