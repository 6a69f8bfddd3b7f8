// pairlet-addon: makes the content of the Lumaris add-on disc, one large
// turning animation for every tile picture of a pack list:
//
//   pairlet-addon LIST PICTURES OUTPUT
//
// writes OUTPUT/FLC/NAME.flc for every "name file" line of LIST (files are
// relative to PICTURES) and OUTPUT/README.txt. `make addon-disc` turns the
// folder into an ISO 9660 image labelled LUMARIS_1.
#include "AddonAnimationMaker.h"
#include "ContentPack.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

const char* const Readme =
    "Lumaris Animation CD for Pairlet\n"
    "\n"
    "Mount this disc (or its image) and choose Options > Install Animation CD\n"
    "in Pairlet. The game copies the animations in FLC/ to your disk and then\n"
    "plays them whenever a set is completed.\n";

// Every picture on its own thread: each animation takes a few seconds.
int WriteAll(const ContentPack::Sources& sources, const QString& folder)
{
    std::atomic<std::size_t> next{0};
    std::atomic<int> failed{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < sources.size(); i = next++) {
            const auto& [name, path] = sources[i];
            if (AddonAnimationMaker::Write(path, folder + "/" + name + ".flc")) continue;
            std::fprintf(stderr, "pairlet-addon: cannot make the animation of %s from %s\n", qPrintable(name),
                         qPrintable(path));
            ++failed;
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t) threads.emplace_back(work);
    for (std::thread& thread : threads) thread.join();
    return failed;
}

} // namespace

int main(int argc, char* argv[])
{
    // Fonts and SVG rendering need a GUI application, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: pairlet-addon LIST PICTURES OUTPUT\n");
        return 2;
    }
    QString error;
    const ContentPack::Sources sources = ContentPack::FromList(args[0], args[1], error);
    if (!error.isEmpty() || sources.empty()) {
        std::fprintf(stderr, "pairlet-addon: %s\n", qPrintable(error.isEmpty() ? "no pictures in " + args[0] : error));
        return 1;
    }
    const QString folder = args[2] + "/FLC";
    QFile readme(args[2] + "/README.txt");
    if (!QDir().mkpath(folder) || !readme.open(QIODevice::WriteOnly) || readme.write(Readme) < 0) {
        std::fprintf(stderr, "pairlet-addon: cannot write into %s\n", qPrintable(args[2]));
        return 1;
    }
    if (WriteAll(sources, folder) > 0) return 1;
    std::printf("pairlet-addon: %zu animations into %s\n", sources.size(), qPrintable(folder));
    return 0;
}
