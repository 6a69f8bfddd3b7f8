#include "shell/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

namespace {
// Rounded like the classic MulDiv for the non-negative values layouts use.
int Scale(int units, int base, int divisor)
{
    return (units * base + divisor / 2) / divisor;
}
} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width is taken over both alphabets, rounded.
    const int alphabets = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth_ = std::max(1, (alphabets / 26 + 1) / 2);
    baseHeight_ = std::max(1, metrics.height());
}

QFont DialogUnits::DialogFont()
{
    return QApplication::font("QDialog");
}

QSize DialogUnits::Size(int width, int height) const
{
    return {Scale(width, baseWidth_, 4), Scale(height, baseHeight_, 8)};
}

QRect DialogUnits::Rect(int left, int top, int width, int height) const
{
    // Edges are scaled, not sizes, so neighbouring controls still meet.
    const int x = Scale(left, baseWidth_, 4), y = Scale(top, baseHeight_, 8);
    return QRect(x, y, Scale(left + width, baseWidth_, 4) - x, Scale(top + height, baseHeight_, 8) - y);
}

void DialogUnits::Place(QWidget& control, int left, int top, int width, int height) const
{
    control.setGeometry(Rect(left, top, width, height));
}
