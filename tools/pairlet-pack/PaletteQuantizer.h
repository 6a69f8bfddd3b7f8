#pragma once

#include <QImage>

// Reduces a picture to 8 bits per pixel with a colour table of at most 256
// entries chosen for it (median cut), dithered where colours fall between.
class PaletteQuantizer {
public:
    static QImage ToIndexed8(const QImage& picture);
    static QVector<QRgb> MedianCut(const QImage& picture, int colours);
};
