#include "shell/AnimationControl.h"

#include <QPaintEvent>
#include <QPainter>

AnimationControl::AnimationControl(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {}

void AnimationControl::MakePicture(int width, int height, QRgb colour)
{
    picture_.emplace(width, height);
    picture_->Fill(0xFF000000u | colour);
    // Every pixel is the picture's: nothing behind it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(width, height);
    update();
}

void AnimationControl::Present(const Pixels& pixels, int destLeft, int destTop, int width, int height, int sourceX,
                               int sourceY)
{
    if (!picture_) return;
    picture_->Present(pixels, destLeft, destTop, width, height, sourceX, sourceY);
    const platform::RgbSurface::Area& area = picture_->LastArea();
    if (area.width > 0 && area.height > 0) update(area.left, area.top, area.width, area.height);
}

void AnimationControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!picture_) {
        painter.drawText(rect(), Qt::AlignCenter, text_);
        return;
    }
    const QImage image(reinterpret_cast<const uchar*>(picture_->Data()), picture_->Width(), picture_->Height(),
                       picture_->Width() * 4, QImage::Format_RGB32);
    painter.drawImage(event->rect(), image, event->rect());
}
