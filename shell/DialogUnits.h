#pragma once

#include <QFont>
#include <QRect>

#include <vector>

class QWidget;

// Dialog layouts are written in dialog units, so they grow with the dialog
// font: a unit across is a quarter of the font's average character width, a
// unit down an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The desktop's user-interface font, which every dialog of the game uses.
    static QFont DialogFont();

    int BaseWidth() const { return baseWidth_; }
    int BaseHeight() const { return baseHeight_; }
    QSize Size(int width, int height) const;
    QRect Rect(int left, int top, int width, int height) const;
    // Moves and sizes a control to a rectangle in dialog units, and keeps
    // it for FitTexts.
    void Place(QWidget& control, int left, int top, int width, int height);
    void SizeDialog(QWidget& dialog, int width, int height);
    // Layouts were made for a narrow font: where the desktop's font would
    // cut a text short, the units are widened (up to twice) until every
    // button's and label's text fits, and everything placed is laid out again.
    void FitTexts();

private:
    struct Placed {
        QWidget* widget;
        QRect units;
    };
    void Apply(const Placed& placed) const;
    static bool TextFits(const Placed& placed);

    int baseWidth_;
    int baseHeight_;
    std::vector<Placed> placed_;
};
