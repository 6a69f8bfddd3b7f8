#include "platform/QtFolderBrowser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace platform {

std::optional<std::string> QtFolderBrowser::Choose(const std::string& title)
{
    QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // Many desktops have no such folder; the home folder stands in.
    if (!QDir(start).exists()) start = QDir::homePath();
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString::fromStdString(title), start);
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
}

} // namespace platform
