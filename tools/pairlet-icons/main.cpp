// pairlet-icons: the program's icon as the desktop wants it, in the hicolor
// theme's layout: OUTDIR/scalable/apps/NAME.svg and OUTDIR/NxN/apps/NAME.png.
//
//   pairlet-icons OUTDIR NAME
#include "game/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool WriteSvg(const QString& path)
{
    constexpr int Side = 256;
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(Side, Side));
    svg.setViewBox(QRect(0, 0, Side, Side));
    svg.setTitle("Pairlet");
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    PaintAppIcon(painter, Side);
    return painter.end();
}

bool WritePng(const QString& path, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintAppIcon(painter, side);
    painter.end();
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: pairlet-icons OUTDIR NAME\n");
        return 2;
    }
    const QDir out(args[0]);
    bool ok = out.mkpath("scalable/apps") && WriteSvg(out.filePath("scalable/apps/" + args[1] + ".svg"));
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1x%1/apps").arg(side);
        ok = ok && out.mkpath(folder) && WritePng(out.filePath(folder + "/" + args[1] + ".png"), side);
    }
    if (!ok) std::fprintf(stderr, "pairlet-icons: cannot write into %s\n", qPrintable(args[0]));
    return ok ? 0 : 1;
}
