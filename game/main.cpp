// Pairlet: the memory game. Its content (Pairlet.ini, the pictures and the
// sounds) is a pack: the folder named on the command line, the current
// folder, the program's folder or the installed one (share/pairlet).
//
//   pairlet [FOLDER | CONTENT-FILE]
#include "game/CGameApp.h"
#include "game/CGameWnd.h"
#include "platform/CrtRand.h"
#include "platform/DesktopMotion.h"
#include "platform/FileUtil.h"
#include "platform/HostPathMap.h"
#include "platform/IniProfile.h"
#include "platform/PackFolder.h"
#include "platform/QtFolderBrowser.h"
#include "platform/QtLauncher.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtShellFiles.h"
#include "platform/QtTexts.h"
#include "platform/QtVolumes.h"
#include "platform/SdlSoundPlayer.h"
#include "platform/SystemClock.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Answered without a screen.
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("usage: pairlet [FOLDER | CONTENT-FILE]\n");
        return 0;
    }
    QApplication app(argc, argv);
    // The desktop matches the window with its menu entry by this name.
    QGuiApplication::setDesktopFileName("com.quillory.Pairlet");
    platform::InstallTranslations(app);
    platform::QtMessageBoxes boxes;
    // The pack named on the command line, else the current folder's, else
    // the one beside the program (a build folder, an unpacked pack), else
    // the installed one.
    const QStringList arguments = QApplication::arguments();
    const platform::PackFolder pack = platform::PackFolder::ForProgram(
        arguments.size() > 1 ? arguments[1].toStdString() : "", PAIRLET_CONTENT_FROM_BIN);
    if (!pack.problem.empty()) {
        // Started with a pack that is none: no half-empty board.
        std::fprintf(stderr, "pairlet: %s\n", pack.problem.c_str());
        boxes.Show(pack.problem, "Pairlet", platform::MB_OK | platform::MB_ICONERROR);
        return 2;
    }
    // The names in the content file are relative to its folder.
    QDir::setCurrent(QString::fromStdString(pack.folder));

    platform::CrtRand rand;
    platform::SystemClock clock;
    platform::SdlSoundPlayer sounds;
    platform::HostPathMap paths;
    platform::IniProfile content(pack.contentFile);
    platform::IniProfile winIni(platform::ConfigFolder() + "/win.ini");
    platform::QtLauncher launcher;
    platform::QtVolumes volumes;
    platform::QtFolderBrowser folderBrowser;
    platform::QtShellFiles shellFiles;

    CGameApp game;
    GameServices services{boxes, rand, clock, sounds, paths, content, winIni, launcher, volumes, folderBrowser, shellFiles};
    services.reducesMotion = platform::DesktopReducesMotion;
    CGameWnd& window = game.InitInstance(services);
    boxes.SetOwner(&window);
    return app.exec();
}
