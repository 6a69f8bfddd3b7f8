#include "game/CAnimWnd.h"

#include <QPalette>

CAnimWnd::CAnimWnd(const QRect& screen)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setGeometry(screen);
}
