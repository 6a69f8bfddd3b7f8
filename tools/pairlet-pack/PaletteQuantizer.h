#pragma once

#include <QImage>

// Reduces a picture to 8 bits per pixel with a colour table of at most 256
// entries chosen for it (median cut), dithered where colours fall between.
class PaletteQuantizer {
public:
    static QImage ToIndexed8(const QImage& picture);
    // The picture in 8 bits with its own colours, exactly; a null image when
    // it has more than 256 of them.
    static QImage ExactIndexed8(const QImage& picture);
    static QVector<QRgb> MedianCut(const QImage& picture, int colours);
};
