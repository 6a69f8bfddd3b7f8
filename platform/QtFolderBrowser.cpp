#include "platform/QtFolderBrowser.h"

#include <QApplication>
#include <QFileDialog>
#include <QStandardPaths>

namespace platform {

std::optional<std::string> QtFolderBrowser::Choose(const std::string& title)
{
    const QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString::fromStdString(title), start);
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
}

} // namespace platform
