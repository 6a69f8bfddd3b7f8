#include "platform/QtLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace platform {

void QtLauncher::Start(const std::string& program, const std::string& parameters)
{
    // Not waited for, and not ended with the game.
    QProcess::startDetached(QString::fromStdString(program), QProcess::splitCommand(QString::fromStdString(parameters)));
}

void QtLauncher::Open(const std::string& address)
{
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

} // namespace platform
