#pragma once

#include "platform/ShellFiles.h"

#include <QString>

#include <vector>

class QProgressDialog;

namespace platform {

// Copies files in a progress window that keeps the game's windows alive
// and has a Cancel button. What it does for every copy, whatever the flags
// ask: only files are copied (folders matching a wildcard are passed over),
// the destination folder and its parents are made without asking, and a file
// of the same name is replaced without asking — atomically, so a cancelled
// or failed copy leaves the earlier file whole. FOF_SILENT hides the window,
// FOF_SIMPLEPROGRESS leaves the file names out of it, FOF_MULTIDESTFILES
// pairs each source with its own destination folder. Folder names on the
// source side and the wildcard match regardless of case, as a disc's names
// appear differently depending on how it was mounted. Other functions than
// copying are not offered: they answer FILE_ERROR_NOT_SUPPORTED.
class QtShellFiles : public ShellFiles {
public:
    // Files are copied in pieces of chunkBytes, the window is served between.
    explicit QtShellFiles(qint64 chunkBytes = 1 << 20) : chunkBytes_(chunkBytes) {}

    int Run(FileOperation& operation) override;

private:
    struct Copy {
        QString source, target;
        qint64 bytes;
    };
    int Plan(const FileOperation& operation, std::vector<Copy>& plan) const;
    static int PlanSource(const std::string& source, const QString& targetFolder, std::vector<Copy>& plan);
    int CopyFile(const Copy& copy, QProgressDialog* progress, qint64& done, qint64 total) const;

    qint64 chunkBytes_;
};

} // namespace platform
