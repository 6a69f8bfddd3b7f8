// pairlet-about: writes the About box's animation.
//
//   pairlet-about OUTPUT.flc
#include "AnimationMaker.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pairlet-about OUTPUT.flc\n");
        return 2;
    }
    // Seen on the light grey of a dialog.
    const std::string flc =
        AnimationMaker::Flc(AnimationMaker::AboutFrames(), AnimationMaker::AboutPeriodMs, qRgb(239, 239, 239));
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(flc.data(), qint64(flc.size())) != qint64(flc.size()) ||
        !file.commit()) {
        std::fprintf(stderr, "pairlet-about: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
