#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The add-on disc's animation of a tile picture: the picture on a card that
// turns about its upright axis in perspective, with the game's cover on its
// back, lit less as it turns away. Brightness changes only with the turn:
// two slow dips in each 2.4-second turn, far from three flashes a second.
class AddonAnimationMaker {
public:
    static constexpr int Width = 640;
    static constexpr int Height = 480;
    static constexpr int FrameCount = 48;
    static constexpr int PeriodMs = 50;

    // Frames with an alpha channel: transparent where the screen shows.
    static QList<QImage> Frames(const QImage& picture, int width = Width, int height = Height,
                                int frames = FrameCount);
    // Reads the source picture and writes its animation as an FLC.
    static bool Write(const QString& sourcePath, const QString& outputPath);

private:
    static QImage Face(const QImage& picture);
    static QImage Back();
    static void DrawFrame(QImage& frame, const QImage& face, const QImage& back, double phase);
};
