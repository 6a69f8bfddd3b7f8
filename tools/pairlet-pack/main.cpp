// pairlet-pack: makes a complete Pairlet content pack from a folder of
// pictures (PNG, JPEG or SVG): tile faces, cover and matched-tile pictures,
// sounds and Pairlet.ini.
//
//   pairlet-pack PICTURES OUTPUT               every picture in PICTURES
//   pairlet-pack --list LIST PICTURES OUTPUT   the "name file" lines of LIST
//   --size WIDTHxHEIGHT                        faces of that size (960x540)
//
// Play the pack with "pairlet OUTPUT". A board needs rows × columns ÷ match
// pictures: 4 for the smallest, 18 for the default, 36 for the largest.
#include "ContentPack.h"
#include "PackAdvice.h"

#include <QGuiApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // Fonts and SVG rendering need a GUI application, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString list;
    QSize faceSize(TilePictureMaker::Width, TilePictureMaker::Height);
    bool understood = true;
    while (args.size() > 2 && understood) {
        if (args[0] == "--list") {
            list = args[1];
        } else if (args[0] == "--size") {
            // WIDTH x HEIGHT: small packs for small screens, 960x540 for 4K.
            const QStringList parts = args[1].split('x');
            faceSize = parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : QSize();
            understood = faceSize.width() >= 32 && faceSize.height() >= 32 && faceSize.width() <= 3840 &&
                         faceSize.height() <= 2160;
        } else {
            understood = false;
        }
        args = args.mid(2);
    }
    if (!understood || args.size() != 2) {
        std::fprintf(stderr, "usage: pairlet-pack [--list LIST] [--size WIDTHxHEIGHT] PICTURES OUTPUT\n");
        return 2;
    }
    QString error;
    const ContentPack::Sources sources =
        list.isEmpty() ? ContentPack::FromFolder(args[0]) : ContentPack::FromList(list, args[0], error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "pairlet-pack: %s\n", qPrintable(error));
        return 1;
    }
    if (sources.empty()) {
        std::fprintf(stderr, "pairlet-pack: no PNG, JPEG or SVG pictures in %s\n", qPrintable(args[0]));
        return 1;
    }
    QStringList report;
    ContentPack pack(args[1], faceSize);
    // On a terminal a long run says how far it is, on one line.
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    const auto progress = [terminal](int n, int of) {
        if (terminal) std::fprintf(stderr, "\rpairlet-pack: picture %d of %d", n, of);
    };
    const bool written = pack.Write(sources, report, progress);
    if (terminal) std::fprintf(stderr, "\r\033[K");
    for (const QString& line : report) std::fprintf(stderr, "pairlet-pack: %s\n", qPrintable(line));
    if (!written) return 1;
    std::printf("pairlet-pack: %d pictures into %s\n", pack.Tiles(), qPrintable(args[1]));
    for (const std::string& line : PackAdvice::For(pack.Tiles())) std::printf("pairlet-pack: %s\n", line.c_str());
    std::printf("pairlet-pack: play it with: pairlet %s\n", qPrintable(args[1]));
    return 0;
}
