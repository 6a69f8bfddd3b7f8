// pairlet-media: what the engine's frame sources make of a media file.
//
//   pairlet-media info FILE         format, size, frame count and period
//   pairlet-media frames FILE DIR   every frame as DIR/frame-NNNN.png
//   pairlet-media speed FILE        frames a second, the engine against FFmpeg
//   pairlet-media audio FILE OUT    what the wave player queues for FILE, as the WAV file OUT
//   pairlet-media play FILE         FILE in a window at its own pace (Space pauses, Escape
//                                   quits); a WAV sound is played once
//   pairlet-media render FILE DIR --ms N [--ticks K] [--stage WxH]
//                                   FILE through a sprite at (0, 0) on a black stage, ticked
//                                   K times (default: its frame count) on a clock that moves
//                                   N ms a tick; the stage after every tick as DIR/tick-NNNN.png
//
// For play and render FILE may also be a scene: a text of sprite script and
// description lines (any name that is not one of the media formats, such as
// scene.txt), shown by a sprite over the frames it describes, on a stage of
// 640 x 480 unless told otherwise.
//
// FILE is an FLI or FLC animation, a PCX or BMP picture, a DCX file (its
// pages are the frames), an AVI movie (with its sound for audio and play),
// or for info, audio and play a WAV sound.
#include "engine/core/mBitmap.h"
#include "engine/core/mDirector.h"
#include "engine/core/mSolidElement.h"
#include "engine/sprites/mImageBitmap.h"
#include "engine/sprites/mSpriteImage.h"
#include "platform/RgbSurface.h"
#include "platform/SdlWaveOut.h"
#include "platform/SystemClock.h"
#include "shell/AnimationControl.h"
#include "engine/core/mObject.h"
#include "engine/media/mAudioWAV.h"
#include "engine/media/mImageAVI.h"
#include "engine/media/mImageBMP.h"
#include "engine/sprites/mImagePCX.h"
#include "platform/AvVideoCodecs.h"
#include "engine/sprites/mRenderer.h"
#include "platform/ConsoleMessageBoxes.h"
#include "platform/FileWaveOut.h"
#include "platform/QtUiQueue.h"

#include "FfmpegFlic.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
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
    std::unique_ptr<mBitmap> target;
    for (int i = 0; i < source.rendererInfo->frameCount; ++i) {
        if (i > 0) source.SeekFrame(i, 0);
        // DCX pages each have a size of their own.
        const int width = source.frameInfo->width, height = source.frameInfo->height;
        if (!target || target->desc.width != width || target->desc.height != height) {
            source.SetTarget(nullptr);
            target = std::make_unique<mBitmap>(width, -height, 8);
            source.SetTarget(target.get());
        }
        if (source.Draw(0, 0, nullptr) < 0) {
            std::fprintf(stderr, "pairlet-media: frame %d cannot be decoded\n", i);
            source.SetTarget(nullptr);
            return 1;
        }
        // True-colour frames have no table: they were brought to the target's.
        if (source.frameInfo->colours) target->SetColors(source.frameInfo->colours, 0, 256);
        const QString path = QDir(folder).filePath(QString("frame-%1.png").arg(i, 4, 10, QChar('0')));
        if (!ToImage(*target).save(path)) {
            std::fprintf(stderr, "pairlet-media: cannot write %s\n", qPrintable(path));
            source.SetTarget(nullptr);
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

void Info(mRenderer& source)
{
    std::printf("format %s\nsize %dx%d\nframes %d\nperiod %u ms\n", Tag(source.rendererInfo->formatTag).c_str(),
                source.rendererInfo->width, source.rendererInfo->height, source.rendererInfo->frameCount,
                source.frameInfo->framePeriod);
    const auto* movie = dynamic_cast<const mImageAVI*>(&source);
    if (!movie) return;
    std::printf("sound streams %d\n", movie->streamInfo->itemCount);
    if (movie->formatBlock.empty()) return;
    std::printf("sound rate %u\nsound bits %u\nsound channels %u\nsound length %u ms\n", movie->format->rate,
                movie->format->bits, movie->format->channels, movie->format->lengthMs);
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

// Plays the sound once through the output, serving the output's notices
// from the event loop as the game does; 0 when it played to its end.
int PlayOnce(const std::string& file, platform::WaveOut& output)
{
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
    return result;
}

// Hands every task on at once: a file output then takes each buffer back
// as it is written, like a device that always keeps up.
class DirectUiQueue : public platform::UiQueue {
public:
    void Post(std::function<void()> task) override { task(); }
};

// A movie's sound goes to the player as its frames are read: every frame
// is drawn once, in order.
int PlayMovieSound(const std::string& file, platform::WaveOut& output)
{
    mAudioWAV::SetWaveOut(&output);
    int result = 1;
    if (std::unique_ptr<mRenderer> source = OpenSource(file)) {
        mBitmap target(std::max(1, source->frameInfo->width), std::max(1, source->frameInfo->height), 8);
        source->SetTarget(&target);
        source->SetAutoAdvance(true);
        if (source->Play(0, 1)) {
            for (int i = 0; i < source->rendererInfo->frameCount; ++i)
                if (source->Draw(0, 0, nullptr) < 0) break;
            source->Stop();
            result = 0;
        } else {
            std::fprintf(stderr, "pairlet-media: %s has no sound to play\n", file.c_str());
        }
        source->SetTarget(nullptr);
        source->CloseFile();
    }
    mAudioWAV::SetWaveOut(nullptr);
    return result;
}

bool IsMovie(const std::string& file)
{
    return mRenderer::Extension(file) == "AVI";
}

// What the wave player queues for the sound, written as a WAV file.
int Audio(const std::string& file, const std::string& out)
{
    platform::QtUiQueue queue;
    DirectUiQueue direct;
    platform::FileWaveOut output(IsMovie(file) ? static_cast<platform::UiQueue&>(direct) : queue, out);
    const int result = IsMovie(file) ? PlayMovieSound(file, output) : PlayOnce(file, output);
    if (!output.Good()) {
        std::fprintf(stderr, "pairlet-media: cannot write %s\n", out.c_str());
        return 1;
    }
    if (result == 0) std::printf("%u bytes into %s\n", output.DataBytes(), out.c_str());
    return result;
}

// Time that moves only when the stage is ticked.
class SteppingClock : public platform::Clock {
public:
    std::uint32_t Milliseconds() override { return ms; }
    std::uint32_t Seconds() override { return ms / 1000; }
    void Sleep(std::uint32_t milliseconds) override { ms += milliseconds; }
    std::uint32_t ms = 0;
};

constexpr int SceneWidth = 640, SceneHeight = 480;

bool IsScene(const std::string& file)
{
    return !mRenderer::HasSourceFor(file) && mRenderer::Extension(file) != "WAV";
}

bool IsStillPicture(const mRenderer& source)
{
    return dynamic_cast<const mImagePCX*>(&source) || dynamic_cast<const mImageBMP*>(&source);
}

// FILE shown by a sprite at (0, 0) on a black stage of a director; for a
// scene, the sprite's script and description come from its text.
struct Stage {
    Stage(platform::Surface& surface, mRenderer* source, int width, int height, platform::Clock& clock,
          const std::string& scene = "")
        : director(surface, width, height, clock, 50)
    {
        sprite.SetImage(source);
        if (!scene.empty()) LoadScene(scene);
        // Still pictures are drawn opaque in their own colours and have no
        // such switches (they would report it).
        if (!IsStillPicture(*sprite.Image())) {
            sprite.Image()->SetRemap(false);
            sprite.Image()->SetTransparent(true);
        }
        sprite.MoveTo(0, 0, 0);
        director.background->SetColor(0);
        director.AddElement(&sprite);
    }
    ~Stage()
    {
        director.RemoveElement(&sprite);
        // The sprite deletes the source when it goes; its file is closed first.
        if (mRenderer* image = sprite.Image(); image && image->open) image->CloseFile();
    }
    void LoadScene(const std::string& scene)
    {
        mFile text;
        if (!text.OpenFile(scene.c_str())) return;
        sprite.LoadScript(text);
        text.CloseFile();
    }
    mDirector director;
    mSpriteImage sprite;
};

struct RenderOptions {
    int ms = -1, ticks = -1, width = 0, height = 0;
};

bool ParseRenderOptions(const QStringList& args, RenderOptions& o)
{
    for (int i = 0; i + 1 < args.size(); i += 2) {
        bool ok = false;
        if (args[i] == "--ms") o.ms = args[i + 1].toInt(&ok);
        else if (args[i] == "--ticks") o.ticks = args[i + 1].toInt(&ok);
        else if (args[i] == "--stage") {
            const QStringList size = args[i + 1].split('x');
            bool okHeight = false;
            o.width = size.value(0).toInt(&ok);
            o.height = size.value(1).toInt(&okHeight);
            ok = ok && okHeight && size.size() == 2 && o.width > 0 && o.height > 0 && o.width <= 8192 && o.height <= 8192;
        }
        if (!ok) return false;
    }
    return args.size() % 2 == 0 && o.ms >= 0 && o.ticks >= -1;
}

int Render(std::unique_ptr<mRenderer> source, const QString& folder, RenderOptions o, const std::string& scene)
{
    if (o.width == 0 && !scene.empty()) o.width = SceneWidth, o.height = SceneHeight;
    if (o.width == 0) o.width = source->frameInfo->width, o.height = source->frameInfo->height;
    if (o.width <= 0 || o.height <= 0 || !QDir().mkpath(folder)) {
        std::fprintf(stderr, "pairlet-media: nothing to render into %s\n", qPrintable(folder));
        return 1;
    }
    platform::RgbSurface surface(o.width, o.height);
    SteppingClock clock;
    mRenderer* shown = source.release();
    Stage stage(surface, shown, o.width, o.height, clock, scene);
    if (o.ticks < 0) o.ticks = shown->rendererInfo->frameCount;
    for (int tick = 0; tick < o.ticks; ++tick) {
        clock.ms += std::uint32_t(o.ms);
        stage.director.Tick();
        const QImage picture(reinterpret_cast<const uchar*>(surface.Data()), o.width, o.height, QImage::Format_RGB32);
        const QString path = QDir(folder).filePath(QString("tick-%1.png").arg(tick, 4, 10, QChar('0')));
        if (!picture.save(path)) {
            std::fprintf(stderr, "pairlet-media: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

// The window of play: the stage, ticked from the event loop; Space pauses
// and resumes, Escape quits.
class PlayWindow : public AnimationControl {
public:
    PlayWindow(std::unique_ptr<mRenderer> source, platform::Clock& clock, const std::string& scene)
        : AnimationControl("", nullptr)
    {
        const bool isScene = !scene.empty();
        const int width = isScene ? SceneWidth : std::max(1, source->frameInfo->width);
        const int height = isScene ? SceneHeight : std::max(1, source->frameInfo->height);
        setWindowTitle("pairlet-media");
        setFixedSize(width, height);
        MakePicture(width, height, qRgb(0, 0, 0));
        stage_ = std::make_unique<Stage>(*this, source.release(), width, height, clock, scene);
        connect(&timer_, &QTimer::timeout, this, [this] { stage_->director.Tick(); });
        timer_.start(5);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) close();
        if (event->key() != Qt::Key_Space) return;
        // The sprite pauses its sound too.
        if (timer_.isActive()) {
            timer_.stop();
            stage_->sprite.Pause();
        } else {
            stage_->sprite.Resume();
            timer_.start(5);
        }
    }

private:
    std::unique_ptr<Stage> stage_;
    QTimer timer_;
};

int PlaySound(const std::string& file)
{
    platform::QtUiQueue queue;
    platform::SdlWaveOut output(queue);
    return PlayOnce(file, output);
}

int Play(const std::string& file)
{
    if (IsSound(QString::fromStdString(file))) return PlaySound(file);
    // A movie's sound plays through the wave player it is.
    platform::QtUiQueue queue;
    platform::SdlWaveOut output(queue);
    mAudioWAV::SetWaveOut(&output);
    const bool scene = IsScene(file);
    std::unique_ptr<mRenderer> source = scene ? std::make_unique<mImageBitmap>() : OpenSource(file);
    int result = 1;
    if (source) {
        platform::SystemClock clock;
        PlayWindow window(std::move(source), clock, scene ? file : "");
        window.show();
        result = QApplication::exec();
    }
    mAudioWAV::SetWaveOut(nullptr);
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    // Only play of a picture source shows a window; the rest needs fonts and
    // pictures, not a screen.
    const bool window = argc == 3 && std::string(argv[1]) == "play" && !IsSound(QString::fromLocal8Bit(argv[2]));
    if (!window) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool known = args.size() >= 2 && QStringList{"info", "frames", "speed", "audio", "play", "render"}.contains(args[0]);
    const bool withOutput = known && (args[0] == "frames" || args[0] == "audio");
    RenderOptions options;
    const bool goodRender = known && args[0] == "render" && args.size() >= 5 && ParseRenderOptions(args.mid(3), options);
    if (!known || (args[0] == "render" ? !goodRender : (withOutput != (args.size() == 3) || args.size() > 3))) {
        std::fprintf(stderr, "usage: pairlet-media info FILE | frames FILE DIR | speed FILE | audio FILE OUT.wav | play FILE\n"
                             "       pairlet-media render FILE DIR --ms N [--ticks K] [--stage WxH]\n");
        return 2;
    }
    // The engine's reports go to the terminal; nothing waits for an answer.
    std::FILE* noAnswers = std::fopen("/dev/null", "r");
    platform::ConsoleMessageBoxes reports(noAnswers ? noAnswers : stdin, stderr);
    mObject::SetReporter(&reports);
    platform::AvVideoCodecs codecs;
    mImageAVI::SetVideoCodecs(&codecs);
    if (args[0] == "audio") return Audio(args[1].toStdString(), args[2].toStdString());
    if (args[0] == "play") return Play(args[1].toStdString());
    if (args[0] == "info" && IsSound(args[1])) return SoundInfo(args[1].toStdString());
    const std::string file = args[1].toStdString();
    if (args[0] == "render" && IsScene(file)) return Render(std::make_unique<mImageBitmap>(), args[2], options, file);
    std::unique_ptr<mRenderer> source = OpenSource(file);
    if (!source) return 1;
    if (args[0] == "render") return Render(std::move(source), args[2], options, "");
    int result = 0;
    if (args[0] == "frames")
        result = Frames(*source, args[2]);
    else if (args[0] == "speed")
        result = Speed(args[1].toStdString());
    else
        Info(*source);
    source->CloseFile();
    return result;
}
