// Pairlet: the memory game. Its content (Pairlet.ini, the pictures and the
// sounds) lies beside the program; names in it are relative to the folder
// the game runs in.
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

std::string ContentFileBesideProgram()
{
    const QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty()) return "Pairlet.ini";
    return QDir(folder).filePath("Pairlet.ini").toStdString();
}

// Started from elsewhere (a file manager, a menu), the game still finds the
// pictures and sounds its content file names.
void RunBesideContent(const std::string& contentFile)
{
    if (QFileInfo::exists("Pairlet.ini") || !QFileInfo::exists(QString::fromStdString(contentFile))) return;
    QDir::setCurrent(QCoreApplication::applicationDirPath());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::string contentFile = ContentFileBesideProgram();
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
