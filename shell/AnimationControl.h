#pragma once

#include "platform/RgbSurface.h"

#include <QWidget>

#include <optional>

// A static control that a director draws into. Until it has a picture it
// shows its text, like any static.
class AnimationControl : public QWidget, public platform::Surface {
    Q_OBJECT
public:
    AnimationControl(const QString& text, QWidget* parent);

    // Gives the control a picture of the given size, filled with colour.
    void MakePicture(int width, int height, QRgb colour);
    const platform::RgbSurface* Picture() const { return picture_ ? &*picture_ : nullptr; }

    void Present(const Pixels& pixels, int destLeft, int destTop, int width, int height, int sourceX,
                 int sourceY) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    std::optional<platform::RgbSurface> picture_;
};
