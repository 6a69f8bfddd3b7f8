#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <string>

// Makes the match animation of a tile picture: the picture moving on black
// in one of several styles, as an FLC whose colour index 0 is the black
// around the picture and nothing else, so the game draws it transparently.
// Nothing changes brightness abruptly: motion only, no flashes.
class AnimationMaker {
public:
    static constexpr int Width = 320;
    static constexpr int Height = 240;
    static constexpr int FrameCount = 20;
    // The game shows a frame at most every 50 ms; a shorter period makes
    // every copy step at every pass, so copies sharing the animation stay on
    // the same frame and it is decoded once per pass.
    static constexpr int PeriodMs = 40;
    enum Style { Spin, Bounce, Wobble, Zoom, StyleCount };

    // Frames with an alpha channel: transparent where the screen shows.
    static QList<QImage> Frames(const QImage& picture, Style style, int width = Width, int height = Height,
                                int frames = FrameCount);
    // An FLC of the frames with one shared colour table. Soft edges are
    // blended with the matte, the colour the animation will be seen on.
    static std::string Flc(const QList<QImage>& frames, int periodMs, QRgb matte = qRgb(0, 0, 0));
    // The About box's strip: the name with its letters rising in a wave
    // between two turning cards, on a transparent ground.
    static QList<QImage> AboutFrames();
    static constexpr int AboutWidth = 200, AboutHeight = 75, AboutFrameCount = 30, AboutPeriodMs = 30;
    // Reads the source picture and writes its animation; index picks the style.
    static bool Write(const QString& sourcePath, int index, const QString& outputPath);
    // A photo stands in a rounded frame; an icon is used as it is.
    static QImage Subject(const QImage& source, int side);

private:
    static void DrawFrame(QImage& frame, const QImage& subject, Style style, double phase);
    static void DrawCard(QPainter& painter, QPointF centre, double turn);
};
