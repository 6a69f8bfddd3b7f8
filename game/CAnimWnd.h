#pragma once

#include "platform/RgbSurface.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace platform {
class Clock;
}

// The surface match animations play on: a frameless, topmost window over the
// whole screen with a black background, hidden while no animation plays. A
// stage presented to it is converted into the window's picture, and only the
// presented area is repainted.
class CAnimWnd : public QWidget, public platform::Surface {
    Q_OBJECT
public:
    static constexpr int PassMs = 50;
    static constexpr int EndDistance = 200;

    explicit CAnimWnd(const QRect& screen);

    void Present(const Pixels& pixels, int destLeft, int destTop, int width, int height, int sourceX,
                 int sourceY) override;
    // What the window shows; an empty picture while it is hidden.
    const platform::RgbSurface& Picture() const;

    // Runs pass after pass, at most one each 50 ms, until a typed key, a
    // button or a mouse movement of more than 200 pixels ends it, the pass
    // answers false, or the window goes. Input meant for other windows waits.
    void AnimationLoop(platform::Clock& clock, const std::function<bool()>& pass);
    // Delivers the input that waited during the loop, in its order.
    void HandOnHeldInput();

    // The buttons that click: left, right and middle, not the side buttons.
    static bool ClickingButton(Qt::MouseButton button);

    static void HidePointer();
    static void ShowPointer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Held only while an animation shows: on a 4K screen it is 33 MB.
    std::unique_ptr<platform::RgbSurface> picture_;
    QSize screen_;
    QPoint start_;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
    bool endRequested_ = false;
};
