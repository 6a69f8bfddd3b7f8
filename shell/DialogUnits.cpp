#include "shell/DialogUnits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include <algorithm>
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

void DialogUnits::Place(QWidget& control, int left, int top, int width, int height)
{
    placed_.push_back({&control, QRect(left, top, width, height)});
    Apply(placed_.back());
}

void DialogUnits::SizeDialog(QWidget& dialog, int width, int height)
{
    placed_.push_back({&dialog, QRect(0, 0, width, height)});
    Apply(placed_.back());
}

void DialogUnits::Apply(const Placed& placed) const
{
    const QRect& u = placed.units;
    if (placed.widget->isWindow())
        placed.widget->setFixedSize(Size(u.width(), u.height()));
    else
        placed.widget->setGeometry(Rect(u.x(), u.y(), u.width(), u.height()));
}

void DialogUnits::FitTexts()
{
    const int narrowest = baseWidth_;
    while (!std::all_of(placed_.begin(), placed_.end(), TextFits) && baseWidth_ < 2 * narrowest) {
        ++baseWidth_;
        for (const Placed& p : placed_) Apply(p);
    }
}

bool DialogUnits::TextFits(const Placed& placed)
{
    const QWidget& w = *placed.widget;
    if (qobject_cast<const QAbstractButton*>(&w)) return w.sizeHint().width() <= w.width();
    const auto* label = qobject_cast<const QLabel*>(&w);
    if (!label || label->text().isEmpty()) return true;
    if (label->wordWrap()) return label->heightForWidth(w.width()) <= w.height();
    return label->sizeHint().width() <= w.width() && label->sizeHint().height() <= w.height();
}
