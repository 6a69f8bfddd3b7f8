#pragma once

#include <QFont>
#include <QRect>

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
    // Moves and sizes a control to a rectangle in dialog units.
    void Place(QWidget& control, int left, int top, int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};
