#include "game/CGameApp.h"

#include "game/AppIcon.h"
#include "game/CAnimWnd.h"
#include "game/CGameWnd.h"
#include "resources/CommandIds.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

CGameApp::CGameApp() = default;

CGameApp::~CGameApp()
{
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

CGameWnd& CGameApp::InitInstance(const GameServices& services)
{
    QGuiApplication::setWindowIcon(AppIcon());
    window_ = std::make_unique<CGameWnd>(services);
    QCoreApplication::instance()->installEventFilter(this);
    window_->show();
    window_->CoverTheScreen();
    // Shown as the active window, so the accelerators answer from the start.
    window_->activateWindow();
    window_->PaintBoard();
    return *window_;
}

namespace {
// A typed character or any button press, for any window.
bool EndsAnimation(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        return CAnimWnd::ClickingButton(static_cast<QMouseEvent*>(event)->button());
    if (event->type() != QEvent::KeyPress) return false;
    return !static_cast<QKeyEvent*>(event)->text().isEmpty();
}
} // namespace

bool CGameApp::eventFilter(QObject* watched, QEvent* event)
{
    // Passed on unchanged; a second stop for an event that propagates to a
    // parent finds the animation already ended.
    if (window_ && watched->isWidgetType() && window_->GameBoard().AnimationShowing() && EndsAnimation(event))
        window_->PostCommand(ID_STOP_ANIMATION);
    return QObject::eventFilter(watched, event);
}
