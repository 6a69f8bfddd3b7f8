// Pairlet: the memory game. Its content (Pairlet.ini, the pictures and the
// sounds) lies beside the program, or where an installation puts it
// (share/pairlet); names in it are relative to the folder the game runs in.
#include "game/CGameApp.h"
#include "game/CGameWnd.h"
#include "platform/CrtRand.h"
#include "platform/FileUtil.h"
#include "platform/HostPathMap.h"
#include "platform/IniProfile.h"
#include "platform/QtFolderBrowser.h"
#include "platform/QtLauncher.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtShellFiles.h"
#include "platform/QtVolumes.h"
#include "platform/SdlSoundPlayer.h"
#include "platform/SystemClock.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The content beside the program (a build folder, an unpacked pack), else
// the installed one.
std::string FindContentFile()
{
    const QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty()) return "Pairlet.ini";
    const QString beside = QDir(folder).filePath("Pairlet.ini");
    const QString installed = QDir::cleanPath(QDir(folder).filePath(PAIRLET_CONTENT_FROM_BIN "/Pairlet.ini"));
    return (QFileInfo::exists(beside) || !QFileInfo::exists(installed) ? beside : installed).toStdString();
}

// Started from elsewhere (a file manager, a menu), the game still finds the
// pictures and sounds its content file names.
void RunBesideContent(const std::string& contentFile)
{
    const QFileInfo content(QString::fromStdString(contentFile));
    if (QFileInfo::exists("Pairlet.ini") || !content.exists()) return;
    QDir::setCurrent(content.absolutePath());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The desktop matches the window with its menu entry by this name.
    QGuiApplication::setDesktopFileName("com.quillory.Pairlet");
    const std::string contentFile = FindContentFile();
    RunBesideContent(contentFile);

    platform::QtMessageBoxes boxes;
    platform::CrtRand rand;
    platform::SystemClock clock;
    platform::SdlSoundPlayer sounds;
    platform::HostPathMap paths;
    platform::IniProfile content(contentFile);
    platform::IniProfile winIni(platform::ConfigFolder() + "/win.ini");
    platform::QtLauncher launcher;
    platform::QtVolumes volumes;
    platform::QtFolderBrowser folderBrowser;
    platform::QtShellFiles shellFiles;

    CGameApp game;
    CGameWnd& window = game.InitInstance({boxes, rand, clock, sounds, paths, content, winIni, launcher, volumes, folderBrowser, shellFiles});
    boxes.SetOwner(&window);
    return app.exec();
}
