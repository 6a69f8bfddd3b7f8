// pairlet-pack: makes a complete Pairlet content pack from a folder of
// pictures (PNG, JPEG or SVG): tile faces, cover and matched-tile pictures,
// sounds and Pairlet.ini.
//
//   pairlet-pack PICTURES OUTPUT               every picture in PICTURES
//   pairlet-pack --list LIST PICTURES OUTPUT   the "name file" lines of LIST
//
// Point the game at the pack by running it in OUTPUT with its Pairlet.ini.
#include "ContentPack.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Fonts and SVG rendering need a GUI application, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString list;
    if (args.size() == 4 && args[0] == "--list") {
        list = args[1];
        args = args.mid(2);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: pairlet-pack [--list LIST] PICTURES OUTPUT\n");
        return 2;
    }
    QString error;
    const ContentPack::Sources sources =
        list.isEmpty() ? ContentPack::FromFolder(args[0]) : ContentPack::FromList(list, args[0], error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "pairlet-pack: %s\n", qPrintable(error));
        return 1;
    }
    QStringList report;
    ContentPack pack(args[1]);
    const bool written = pack.Write(sources, report);
    for (const QString& line : report) std::fprintf(stderr, "pairlet-pack: %s\n", qPrintable(line));
    if (!written) return 1;
    std::printf("pairlet-pack: %d pictures into %s\n", pack.Tiles(), qPrintable(args[1]));
    return 0;
}
