#include "platform/QtShellFiles.h"

#include "platform/HostPathMap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>

#include <memory>

namespace platform {

namespace {

constexpr int ProgressSteps = 1000;

// The entries of a list ended by an empty one.
std::vector<std::string> Entries(const std::string& list)
{
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = list.find('\0', start);
        const std::string entry = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (entry.empty()) break;
        entries.push_back(entry);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return entries;
}

bool HasWildcard(const QString& name)
{
    return name.contains('*') || name.contains('?');
}

std::unique_ptr<QProgressDialog> ProgressWindow(const FileOperation& operation)
{
    if (operation.flags & FOF_SILENT) return nullptr;
    auto progress = std::make_unique<QProgressDialog>(QObject::tr("Copying files…"), QObject::tr("Cancel"), 0,
                                                      ProgressSteps);
    progress->setWindowTitle(operation.progressTitle.empty() ? QObject::tr("Copying")
                                                             : QString::fromStdString(operation.progressTitle));
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setMinimumDuration(0);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setValue(0);
    progress->show();
    return progress;
}

} // namespace

int QtShellFiles::Run(FileOperation& operation)
{
    operation.anyOperationsAborted = false;
    if (operation.function != FO_COPY) return FILE_ERROR_NOT_SUPPORTED;
    std::vector<Copy> plan;
    if (const int error = Plan(operation, plan)) return error;
    qint64 total = 0;
    for (const Copy& copy : plan) total += copy.bytes;
    const std::unique_ptr<QProgressDialog> progress = ProgressWindow(operation);
    qint64 done = 0;
    for (const Copy& copy : plan) {
        if (progress && !(operation.flags & FOF_SIMPLEPROGRESS))
            progress->setLabelText(QObject::tr("Copying %1").arg(QFileInfo(copy.source).fileName()));
        const int error = CopyFile(copy, progress.get(), done, total);
        if (error == FILE_ERROR_CANCELLED) operation.anyOperationsAborted = true;
        if (error) return error;
    }
    return 0;
}

int QtShellFiles::Plan(const FileOperation& operation, std::vector<Copy>& plan) const
{
    const std::vector<std::string> sources = Entries(operation.from), targets = Entries(operation.to);
    const bool paired = operation.flags & FOF_MULTIDESTFILES;
    if (sources.empty() || targets.empty() || (paired && targets.size() != sources.size()))
        return FILE_ERROR_PATH_NOT_FOUND;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const QString target = QString::fromStdString(targets[paired ? i : 0]);
        if (const int error = PlanSource(sources[i], target, plan)) return error;
        if (!QDir().mkpath(target)) return FILE_ERROR_ACCESS_DENIED;
    }
    return 0;
}

int QtShellFiles::PlanSource(const std::string& source, const QString& targetFolder, std::vector<Copy>& plan)
{
    const QString text = QString::fromStdString(source);
    const QString pattern = text.section('/', -1);
    const QString folderName = text.left(text.size() - pattern.size());
    const QString folder = folderName.isEmpty()
                               ? QString(".")
                               : QString::fromStdString(HostPathMap().Resolve(folderName.toStdString()));
    const QDir dir(folder);
    if (!dir.exists()) return FILE_ERROR_PATH_NOT_FOUND;
    QFileInfoList files;
    if (HasWildcard(pattern)) {
        files = dir.entryInfoList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
    } else {
        const QFileInfo one(QString::fromStdString(HostPathMap().Resolve(dir.filePath(pattern).toStdString())));
        if (one.isFile()) files << one;
    }
    if (files.isEmpty()) return FILE_ERROR_NOT_FOUND;
    for (const QFileInfo& file : files)
        plan.push_back({file.filePath(), QDir(targetFolder).filePath(file.fileName()), file.size()});
    return 0;
}

int QtShellFiles::CopyFile(const Copy& copy, QProgressDialog* progress, qint64& done, qint64 total) const
{
    QFile in(copy.source);
    if (!in.open(QIODevice::ReadOnly)) return FILE_ERROR_NOT_FOUND;
    QSaveFile out(copy.target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) return FILE_ERROR_ACCESS_DENIED;
    QByteArray piece;
    for (;;) {
        QCoreApplication::processEvents();
        if (progress && progress->wasCanceled()) {
            out.cancelWriting();
            return FILE_ERROR_CANCELLED;
        }
        piece = in.read(chunkBytes_);
        if (piece.isEmpty()) break;
        if (out.write(piece) != piece.size()) return FILE_ERROR_ACCESS_DENIED;
        done += piece.size();
        if (progress && total > 0) progress->setValue(int(done * ProgressSteps / total));
    }
    if (in.error() != QFileDevice::NoError) return FILE_ERROR_ACCESS_DENIED;
    return out.commit() ? 0 : FILE_ERROR_ACCESS_DENIED;
}

} // namespace platform
