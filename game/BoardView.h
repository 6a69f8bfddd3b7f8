#pragma once

#include <QWidget>

class CGameWnd;

// The main window's client area: shows the board picture and hands button
// presses and size changes to the window.
class BoardView : public QWidget {
    Q_OBJECT
public:
    static constexpr QRgb FocusColour = 0xFFFFD200;
    static constexpr int FocusWidth = 3;

    explicit BoardView(CGameWnd& window);
    CGameWnd& Window() const { return window_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CGameWnd& window_;
};
