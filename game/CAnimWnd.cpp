#include "game/CAnimWnd.h"

#include "platform/Clock.h"
#include "platform/FreedMemory.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPalette>

namespace {
bool loopRunning = false;

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

// What waits for the board: presses and releases of keys and buttons.
// Movements and the wheel change nothing there.
bool WaitsForTheBoard(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::MouseButtonPress ||
           type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
}
} // namespace

CAnimWnd::CAnimWnd(const QRect& screen)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      screen_(screen.size())
{
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setGeometry(screen);
    // Every pointer movement counts, not only those with a button held.
    setMouseTracking(true);
}

void CAnimWnd::Present(const Pixels& pixels, int destLeft, int destTop, int width, int height, int sourceX,
                       int sourceY)
{
    if (!picture_) picture_ = std::make_unique<platform::RgbSurface>(screen_.width(), screen_.height()); // black
    picture_->Present(pixels, destLeft, destTop, width, height, sourceX, sourceY);
    const platform::RgbSurface::Area& area = picture_->LastArea();
    if (area.width > 0 && area.height > 0) update(area.left, area.top, area.width, area.height);
}

const platform::RgbSurface& CAnimWnd::Picture() const
{
    static const platform::RgbSurface none(0, 0);
    return picture_ ? *picture_ : none;
}

void CAnimWnd::paintEvent(QPaintEvent* event)
{
    if (!picture_) return; // the black background until the first frame
    const QImage image(reinterpret_cast<const uchar*>(picture_->Data()), picture_->Width(), picture_->Height(),
                       picture_->Width() * 4, QImage::Format_RGB32);
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, image, area);
}

void CAnimWnd::closeEvent(QCloseEvent* event)
{
    endRequested_ = true;
    QWidget::closeEvent(event);
}

void CAnimWnd::hideEvent(QHideEvent* event)
{
    // The next animation starts on black, not on what the last one left;
    // its stage shows only what it changes.
    picture_.reset();
    QWidget::hideEvent(event);
    // The hidden window's own screen-sized buffer (33 MB on a 4K screen) is
    // given back too, and then what the animation freed; the next show makes
    // the window anew. Not from inside the hide itself: the animation and
    // the window's buffers are gone only once the event loop runs again.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible() || !testAttribute(Qt::WA_WState_Created)) return;
            destroy();
            platform::ReturnFreedMemory();
        },
        Qt::QueuedConnection);
}

void CAnimWnd::AnimationLoop(platform::Clock& clock, const std::function<bool()>& pass)
{
    if (loopRunning) return;
    loopRunning = true;
    endRequested_ = false;
    start_ = QCursor::pos();
    QCoreApplication::instance()->installEventFilter(this);
    std::uint32_t lastPass = clock.Milliseconds();
    while (!endRequested_ && isVisible()) {
        // A pass in which the end is asked for is still completed.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const std::uint32_t elapsed = clock.Milliseconds() - lastPass;
        if (elapsed < PassMs) clock.Sleep(PassMs - elapsed);
        lastPass = clock.Milliseconds();
        if (!pass()) break;
    }
    QCoreApplication::instance()->removeEventFilter(this);
    loopRunning = false;
}

bool CAnimWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType() || !IsInput(event->type())) return false;
    auto* widget = static_cast<QWidget*>(watched);
    // The board is frozen while the animation plays; what it was sent
    // waits until the animation has ended.
    if (widget->window() != this) {
        if (WaitsForTheBoard(event->type())) held_.emplace_back(watched, event->clone());
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent*>(event)->text().isEmpty()) endRequested_ = true;
        return true;
    case QEvent::MouseButtonPress:
        if (ClickingButton(static_cast<QMouseEvent*>(event)->button())) endRequested_ = true;
        return true;
    case QEvent::MouseMove: {
        const QPoint moved = QCursor::pos() - start_;
        if (moved.manhattanLength() > EndDistance) endRequested_ = true;
        return true;
    }
    default:
        return false;
    }
}

void CAnimWnd::HandOnHeldInput()
{
    auto held = std::move(held_);
    held_.clear();
    for (auto& [receiver, event] : held)
        if (receiver) QCoreApplication::postEvent(receiver, event.release());
}

bool CAnimWnd::ClickingButton(Qt::MouseButton button)
{
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

void CAnimWnd::HidePointer()
{
    const QCursor* current = QGuiApplication::overrideCursor();
    if (!current || current->shape() != Qt::BlankCursor) QGuiApplication::setOverrideCursor(Qt::BlankCursor);
}

void CAnimWnd::ShowPointer()
{
    while (QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::BlankCursor)
        QGuiApplication::restoreOverrideCursor();
}
