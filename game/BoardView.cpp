#include "game/BoardView.h"

#include "game/CAnimWnd.h"
#include "game/CGameWnd.h"

#include <QMouseEvent>
#include <QPainter>

BoardView::BoardView(CGameWnd& window) : QWidget(&window), window_(window)
{
    // The board paints every pixel it owns; no background is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BoardView::paintEvent(QPaintEvent* event)
{
    QPainter(this).drawImage(event->rect(), window_.Canvas().Image(), event->rect());
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    // Left, right and middle buttons all turn tiles; the side buttons do not.
    if (!CAnimWnd::ClickingButton(event->button())) return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    window_.ButtonDown(at.x(), at.y());
}

void BoardView::resizeEvent(QResizeEvent*)
{
    window_.InvalidateBoard();
}
