#pragma once

#include <QWidget>

// The surface match animations play on: a frameless, topmost window over the
// whole screen with a black background, hidden while no animation plays.
class CAnimWnd : public QWidget {
    Q_OBJECT
public:
    explicit CAnimWnd(const QRect& screen);
};
