// pairlet-flic: makes an FLC animation from PNG (or JPEG) frames, all
// reduced to one shared 256-colour table.
//
//   pairlet-flic OUTPUT.flc PERIOD_MS FRAME...
#include "FlicEncoder.h"
#include "PaletteQuantizer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

// All frames side by side, so that one table serves every frame.
QImage Strip(const QList<QImage>& frames)
{
    QImage strip(frames[0].width() * int(frames.size()), frames[0].height(), QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int i = 0; i < frames.size(); ++i) painter.drawImage(i * frames[0].width(), 0, frames[i]);
    return strip;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: pairlet-flic OUTPUT.flc PERIOD_MS FRAME...\n");
        return 2;
    }
    QList<QImage> frames;
    for (const QString& path : args.mid(2)) {
        QImage frame(path);
        if (frame.isNull()) {
            std::fprintf(stderr, "pairlet-flic: not a readable picture: %s\n", qPrintable(path));
            return 1;
        }
        frames << frame.convertToFormat(QImage::Format_RGB32);
    }
    const int w = frames[0].width(), h = frames[0].height();
    for (QImage& f : frames) f = f.scaled(w, h);
    const QVector<QRgb> table = PaletteQuantizer::MedianCut(Strip(frames), 256);
    FlicEncoder::Palette palette{};
    for (int i = 0; i < table.size() && i < 256; ++i) palette[std::size_t(i)] = table[i] & 0xFFFFFF;
    FlicEncoder encoder(w, h, args[1].toInt());
    for (const QImage& f : frames) {
        const QImage indexed = f.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < h; ++y) pixels.insert(pixels.end(), indexed.constScanLine(y), indexed.constScanLine(y) + w);
        encoder.AddFrame(pixels, palette);
    }
    if (!encoder.WriteFile(args[0].toStdString())) {
        std::fprintf(stderr, "pairlet-flic: cannot write %s\n", qPrintable(args[0]));
        return 1;
    }
    return 0;
}
