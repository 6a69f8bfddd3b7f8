// pairlet-media: what the engine's frame sources make of a media file.
//
//   pairlet-media info FILE         format, size, frame count and period
//   pairlet-media frames FILE DIR   every frame as DIR/frame-NNNN.png
//   pairlet-media speed FILE        frames a second, the engine against FFmpeg
//   pairlet-media audio FILE OUT    what the wave player queues for FILE, as the WAV file OUT
//
// FILE is an FLI or FLC animation, a PCX or BMP picture, a DCX file (its
// pages are the frames), or for info and audio a WAV sound.
#include "engine/core/mBitmap.h"
#include "engine/core/mObject.h"
#include "engine/media/mAudioWAV.h"
#include "engine/sprites/mRenderer.h"
#include "platform/ConsoleMessageBoxes.h"
#include "platform/FileWaveOut.h"
#include "platform/QtUiQueue.h"

#include "FfmpegFlic.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <functional>
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

// Runs pass after pass for at least a second; frames per second, or 0
// when a pass decodes nothing.
double FramesPerSecond(const std::function<int()>& pass)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long frames = 0;
    double seconds = 0;
    do {
        const int decoded = pass();
        if (decoded <= 0) return 0;
        frames += decoded;
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (seconds < 1.0);
    return double(frames) / seconds;
}

// Every frame of the file, opened anew each pass, into an 8-bit picture.
int EnginePass(const std::string& file)
{
    std::unique_ptr<mRenderer> source = mRenderer::ForFileName(file);
    if (!source || !source->OpenFile(file.c_str()) || !source->ReadHeader()) return 0;
    mBitmap target(source->frameInfo->width, -source->frameInfo->height, 8);
    source->SetTarget(&target);
    int frames = 0;
    for (int i = 0; i < source->rendererInfo->frameCount; ++i) {
        if (i > 0) source->SeekFrame(i, 0);
        if (source->Draw(0, 0, nullptr) < 0) break;
        ++frames;
    }
    source->SetTarget(nullptr);
    source->CloseFile();
    return frames;
}

int Speed(const std::string& file)
{
    const double ours = FramesPerSecond([&] { return EnginePass(file); });
    if (ours == 0) return 1;
    std::printf("engine %.0f frames/s\n", ours);
    av_log_set_level(AV_LOG_QUIET);
    const double theirs = FramesPerSecond([&] {
        int frames = 0;
        FfmpegDecodeFlic(file, [&frames](const AVFrame&) { ++frames; });
        return frames;
    });
    if (theirs == 0) {
        std::printf("FFmpeg does not read this file\n");
        return 0;
    }
    std::printf("FFmpeg %.0f frames/s\nratio %.2f\n", theirs, ours / theirs);
    return 0;
}

bool IsSound(const QString& file)
{
    return file.endsWith(".wav", Qt::CaseInsensitive);
}

// The sound's format as the wave player reads it.
int SoundInfo(const std::string& file)
{
    mAudioWAV sound;
    if (!sound.OpenFile(file.c_str()) || !sound.Open(0)) {
        std::fprintf(stderr, "pairlet-media: cannot read %s\n", file.c_str());
        return 1;
    }
    std::printf("format WAVE\nrate %u\nbits %u\nchannels %u\nbytes %u\nlength %u ms\n", sound.format->rate,
                sound.format->bits, sound.format->channels, sound.format->lengthBytes, sound.format->lengthMs);
    return 0;
}

// Plays the sound once through an output that writes a WAV file, serving
// the output's notices from the event loop as the game does.
int Audio(const std::string& file, const std::string& out)
{
    platform::QtUiQueue queue;
    platform::FileWaveOut output(queue, out);
    mAudioWAV::SetWaveOut(&output);
    int result = 0;
    {
        mAudioWAV sound;
        if (!sound.OpenFile(file.c_str()) || !sound.Play(0, 1)) {
            std::fprintf(stderr, "pairlet-media: cannot play %s\n", file.c_str());
            result = 1;
        }
        while (sound.streamInfo->playing) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    mAudioWAV::SetWaveOut(nullptr);
    if (!output.Good()) {
        std::fprintf(stderr, "pairlet-media: cannot write %s\n", out.c_str());
        return 1;
    }
    if (result == 0) std::printf("%u bytes into %s\n", output.DataBytes(), out.c_str());
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool known = args.size() >= 2 && QStringList{"info", "frames", "speed", "audio"}.contains(args[0]);
    const bool withOutput = known && (args[0] == "frames" || args[0] == "audio");
    if (!known || withOutput != (args.size() == 3) || args.size() > 3) {
        std::fprintf(stderr, "usage: pairlet-media info FILE | frames FILE DIR | speed FILE | audio FILE OUT.wav\n");
        return 2;
    }
    // The engine's reports go to the terminal; nothing waits for an answer.
    std::FILE* noAnswers = std::fopen("/dev/null", "r");
    platform::ConsoleMessageBoxes reports(noAnswers ? noAnswers : stdin, stderr);
    mObject::SetReporter(&reports);
    if (args[0] == "audio") return Audio(args[1].toStdString(), args[2].toStdString());
    if (args[0] == "info" && IsSound(args[1])) return SoundInfo(args[1].toStdString());
    std::unique_ptr<mRenderer> source = OpenSource(args[1].toStdString());
    if (!source) return 1;
    int result = 0;
    if (args[0] == "frames")
        result = Frames(*source, args[2]);
    else if (args[0] == "speed")
        result = Speed(args[1].toStdString());
    else
        std::printf("format %s\nsize %dx%d\nframes %d\nperiod %u ms\n", Tag(source->rendererInfo->formatTag).c_str(),
                    source->rendererInfo->width, source->rendererInfo->height, source->rendererInfo->frameCount,
                    source->frameInfo->framePeriod);
    source->CloseFile();
    return result;
}
