#include "game/BoardView.h"

#include "game/BoardAccessible.h"
#include "game/CAnimWnd.h"
#include "game/CGameWnd.h"

#include <QMouseEvent>
#include <QPainter>

BoardView::BoardView(CGameWnd& window) : QWidget(&window), window_(window)
{
    // The board paints every pixel it owns; no background is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // The board holds the keyboard's focus, so a screen reader follows its
    // cells; the keys it does not take go on to the window.
    setFocusPolicy(Qt::StrongFocus);
    static const bool factoryInstalled = (QAccessible::installFactory(BoardAccessible::Factory), true);
    (void)factoryInstalled;
}

void BoardView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // Moved to a screen of another ratio: drawn anew for it.
    if (!window_.Canvas().Fits(size(), devicePixelRatioF())) window_.InvalidateBoard();
    window_.Canvas().Paint(painter, event->rect());
    // The keyboard's tile, once a key has been used: a frame on the tile's
    // outermost pixels, its picture left whole inside.
    const int tile = window_.KeyboardTile();
    if (tile < 0) return;
    const TileRect r = window_.GameBoard().Layout().RectOf(tile);
    painter.setPen(QPen(QColor::fromRgb(FocusColour), FocusWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = FocusWidth / 2.0;
    painter.drawRect(QRectF(r.x + inset, r.y + inset, r.width - FocusWidth, r.height - FocusWidth));
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
