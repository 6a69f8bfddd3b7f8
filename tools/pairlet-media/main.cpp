// pairlet-media: what the engine's frame sources make of a media file.
//
//   pairlet-media info FILE         format, size, frame count and period
//   pairlet-media frames FILE DIR   every frame as DIR/frame-NNNN.png
//
// FILE is an FLI or FLC animation, a PCX or BMP picture, or a DCX file
// (its pages are the frames).
#include "engine/core/mBitmap.h"
#include "engine/core/mObject.h"
#include "engine/sprites/mRenderer.h"
#include "platform/ConsoleMessageBoxes.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <memory>
#include <string>

namespace {

std::string Tag(std::uint32_t tag)
{
    std::string s;
    for (int i = 0; i < 4 && (tag >> (8 * i) & 0xFF); ++i) s.push_back(char(tag >> (8 * i) & 0xFF));
    return s;
}

std::unique_ptr<mRenderer> OpenSource(const std::string& file)
{
    std::unique_ptr<mRenderer> source = mRenderer::ForFileName(file);
    if (!source || !source->OpenFile(file.c_str()) || !source->ReadHeader()) {
        std::fprintf(stderr, "pairlet-media: cannot read %s\n", file.c_str());
        return nullptr;
    }
    return source;
}

QImage ToImage(const mBitmap& frame)
{
    QImage image(frame.desc.width, frame.desc.height, QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (int i = 0; i < 256; ++i) table << (0xFF000000u | frame.desc.colours[i]);
    image.setColorTable(table);
    for (int y = 0; y < frame.desc.height; ++y)
        std::copy(frame.Row(y), frame.Row(y) + frame.desc.width, image.scanLine(y));
    return image;
}

int Frames(mRenderer& source, const QString& folder)
{
    QDir().mkpath(folder);
    mBitmap target(source.frameInfo->width, -source.frameInfo->height, 8);
    source.SetTarget(&target);
    for (int i = 0; i < source.rendererInfo->frameCount; ++i) {
        if (i > 0) source.SeekFrame(i, 0);
        if (source.Draw(0, 0, nullptr) < 0) {
            std::fprintf(stderr, "pairlet-media: frame %d cannot be decoded\n", i);
            return 1;
        }
        // True-colour frames have no table: they were brought to the target's.
        if (source.frameInfo->colours) target.SetColors(source.frameInfo->colours, 0, 256);
        const QString path = QDir(folder).filePath(QString("frame-%1.png").arg(i, 4, 10, QChar('0')));
        if (!ToImage(target).save(path)) {
            std::fprintf(stderr, "pairlet-media: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    source.SetTarget(nullptr);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || (args[0] == "frames" && args.size() != 3) || (args[0] != "frames" && args[0] != "info")) {
        std::fprintf(stderr, "usage: pairlet-media info FILE | pairlet-media frames FILE DIR\n");
        return 2;
    }
    // The engine's reports go to the terminal; nothing waits for an answer.
    std::FILE* noAnswers = std::fopen("/dev/null", "r");
    platform::ConsoleMessageBoxes reports(noAnswers ? noAnswers : stdin, stderr);
    mObject::SetReporter(&reports);
    std::unique_ptr<mRenderer> source = OpenSource(args[1].toStdString());
    if (!source) return 1;
    if (args[0] == "frames") return Frames(*source, args[2]);
    std::printf("format %s\nsize %dx%d\nframes %d\nperiod %u ms\n", Tag(source->rendererInfo->formatTag).c_str(),
                source->rendererInfo->width, source->rendererInfo->height, source->rendererInfo->frameCount,
                source->frameInfo->framePeriod);
    return 0;
}
