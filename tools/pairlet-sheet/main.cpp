// pairlet-sheet: puts pictures side by side into one 8-bit BMP, each
// scaled into a cell of the given size: a sprite sheet for descriptions
// to cut with TILE.
//
//   pairlet-sheet OUT.bmp CELL_WIDTH CELL_HEIGHT PICTURE...
#include "PaletteQuantizer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool okWidth = false, okHeight = false;
    const int w = args.value(1).toInt(&okWidth), h = args.value(2).toInt(&okHeight);
    if (args.size() < 4 || !okWidth || !okHeight || w <= 0 || h <= 0 || w > 4096 || h > 4096) {
        std::fprintf(stderr, "usage: pairlet-sheet OUT.bmp CELL_WIDTH CELL_HEIGHT PICTURE...\n");
        return 2;
    }
    const QStringList pictures = args.mid(3);
    QImage sheet(w * int(pictures.size()), h, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < pictures.size(); ++i) {
        const QImage picture(pictures[i]);
        if (picture.isNull()) {
            std::fprintf(stderr, "pairlet-sheet: cannot read %s\n", qPrintable(pictures[i]));
            return 1;
        }
        painter.drawImage(QRect(i * w, 0, w, h), picture);
    }
    painter.end();
    if (!PaletteQuantizer::ToIndexed8(sheet).save(args[0], "BMP")) {
        std::fprintf(stderr, "pairlet-sheet: cannot write %s\n", qPrintable(args[0]));
        return 1;
    }
    return 0;
}
