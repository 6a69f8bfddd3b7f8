#pragma once

#include <QImage>

// The two pictures every pack shares: the back of a face-down tile and the
// tile that replaces a completed set.
class CoverArt {
public:
    static QImage Cover(int width, int height);
    static QImage Matched(int width, int height);
};
