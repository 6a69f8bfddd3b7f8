#include "shell/CInstallCdDlg.h"

#include "platform/QtTexts.h"
#include "platform/Texts.h"

#include "platform/FileUtil.h"
#include "platform/FolderBrowser.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellFiles.h"
#include "platform/Volumes.h"
#include "resources/CommandIds.h"
#include "shell/CFileBatch.h"
#include "shell/DialogUnits.h"
#include "shell/SettingsStore.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdlib>
#include <limits>

using namespace platform;

const char* const CInstallCdDlg::DiscLabel = "LUMARIS_1";

namespace {

constexpr const char* NotFoundText =
    TrNoop("Install", "3D Animation From the Lumaris CD not found.\nInsert CD in CD drive and try again.");
constexpr const char* NotFoundCaption = TrNoop("Install", "Error: Animation CD Not Found");
constexpr const char* CopyErrorCaption = TrNoop("Install", "File copy error");
constexpr const char* FatalCopyError =
    TrNoop("Install", "A fatal error occured while copying files.\nNo files were copied");
constexpr std::size_t StoredFolderSize = CInstallCdDlg::MaxFolderLength + 1;

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

QString Megabytes(std::int64_t mb)
{
    return QTr("Install", "%1 MB").arg(mb);
}

// The button's text in two lines, broken at the blank nearest its middle.
QString TwoLines(QString text)
{
    const int middle = int(text.size()) / 2;
    int best = -1;
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == ' ' && (best < 0 || std::abs(i - middle) < std::abs(best - middle))) best = i;
    if (best >= 0) text[best] = '\n';
    return text;
}

// The wait cursor for as long as the volumes are looked through.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

CInstallCdDlg::CInstallCdDlg(QWidget* parent, Services services, Memory& memory)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(std::move(services)), memory_(memory)
{
    setWindowTitle(QTr("Install", "Install Animation from Lumaris Animation CD"));
    setFont(DialogUnits::DialogFont());
    CreateControls();
    Initialise();
}

CInstallCdDlg::~CInstallCdDlg() = default;

void CInstallCdDlg::CreateControls()
{
    DialogUnits units(font());
    units.SizeDialog(*this, 308, 98);
    AddLabel(units, 0, QTr("Install", "Destination Folder:"), {10, 4, 67, 8})->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    destination_ = new QLineEdit(this);
    units.Place(*destination_, 10, 15, 286, 14);
    controls_[IDC_DESTINATION] = destination_;
    AddLabel(units, 0, QTr("Install", "Free space required for this operation:"), {2, 37, 127, 8});
    AddLabel(units, IDC_SPACE_NEEDED, Megabytes(123), {137, 37, 40, 8});
    AddLabel(units, 0, QTr("Install", "Space available on selected drive:"), {12, 48, 117, 8});
    AddLabel(units, IDC_SPACE_AVAILABLE, QTr("Install", "??? MB"), {134, 48, 43, 8});

    const struct {
        int id;
        QString text;
        QRect area;
    } buttons[] = {
        {IDC_SELECT_FOLDER, TwoLines(QTr("Install", "Select New Destination Folder")), {227, 34, 67, 25}},
        {IDCANCEL, QTr("Install", "Cancel"), {85, 69, 60, 20}},
        {IDC_COPY_FILES, QTr("Install", "Copy Files"), {161, 69, 60, 20}},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.text, this);
        button->setAccessibleName(QString(b.text).replace('\n', ' '));
        units.Place(*button, b.area.x(), b.area.y(), b.area.width(), b.area.height());
        const int id = b.id;
        connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
        controls_[id] = button;
    }
    static_cast<QPushButton*>(controls_[IDC_COPY_FILES])->setDefault(true);
    units.FitTexts();
}

QLabel* CInstallCdDlg::AddLabel(DialogUnits& units, int id, const QString& text, QRect area)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    units.Place(*label, area.x(), area.y(), area.width(), area.height());
    if (id) controls_[id] = label;
    return label;
}

QWidget* CInstallCdDlg::Control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

std::string CInstallCdDlg::DefaultDestination()
{
    return DataHome() + "/Quillory/Pairlet";
}

std::optional<std::string> CInstallCdDlg::FindDisc() const
{
    const WaitCursor wait;
    for (const Volumes::Volume& volume : services_.volumes.List())
        if (volume.label == DiscLabel) return volume.root;
    return std::nullopt;
}

void CInstallCdDlg::Initialise()
{
    std::optional<std::string> root = FindDisc();
    if (!root) {
        services_.boxes.Show(Tr("Install", "Put the Lumaris Animation CD in your CD drive."), Tr("Install", "Install Animation CD"), MB_OK);
        root = FindDisc();
    }
    if (!root) {
        memory_.cdSource.clear();
        services_.boxes.Show(Tr("Install", NotFoundText), Tr("Install", NotFoundCaption), MB_OK);
        return;
    }
    memory_.cdSource = *root + "FLC/";
    ProposeDestination();
}

void CInstallCdDlg::ProposeDestination()
{
    // The program's folder, as an installer may have stored it.
    const std::string program = ReadString("", StoredFolderSize, DefaultDestination());
    memory_.destination = WithSeparator(program) + "AnimCD";
    destination_->setText(QString::fromStdString(memory_.destination));
    static_cast<QLabel*>(controls_[IDC_SPACE_NEEDED])->setText(Megabytes(NeededMb));
    ShowFreeSpace(memory_.destination);
}

void CInstallCdDlg::ShowFreeSpace(const std::string& folder)
{
    const std::optional<std::uint64_t> bytes = services_.volumes.FreeBytes(folder);
    if (!bytes) return;
    const std::uint64_t mb = *bytes / 1048576;
    memory_.availableMb = std::int64_t(std::min<std::uint64_t>(mb, std::numeric_limits<std::int64_t>::max()));
    static_cast<QLabel*>(controls_[IDC_SPACE_AVAILABLE])->setText(Megabytes(memory_.availableMb));
}

void CInstallCdDlg::OnCommand(int id)
{
    switch (id) {
    case IDOK:
    case IDCANCEL: EndWith(id); break;
    case IDC_COPY_FILES: CopyFiles(); break;
    case IDC_SELECT_FOLDER: SelectFolder(); break;
    default: break;
    }
}

void CInstallCdDlg::PostCommand(int id)
{
    QMetaObject::invokeMethod(this, [this, id] { OnCommand(id); }, Qt::QueuedConnection);
}

void CInstallCdDlg::EndWith(int result)
{
    if (ended_) return;
    ended_ = true;
    done(result);
}

void CInstallCdDlg::SelectFolder()
{
    const std::optional<std::string> folder = services_.folders.Choose(Tr("Install", "Select Destination Folder for Sprite Files"));
    if (!folder || folder->empty()) return;
    destination_->setText(QString::fromStdString(*folder));
    memory_.destination = *folder;
    ShowFreeSpace(*folder);
}

// Without a disc there is nothing to copy; it is looked for once more, as
// the player may have put it in since the dialog opened, and then the
// fields left empty are filled in as at the start.
bool CInstallCdDlg::DiscKnown()
{
    if (!memory_.cdSource.empty()) return true;
    if (const std::optional<std::string> root = FindDisc()) {
        memory_.cdSource = *root + "FLC/";
        if (destination_->text().isEmpty()) ProposeDestination();
        return true;
    }
    services_.boxes.Show(Tr("Install", NotFoundText), Tr("Install", NotFoundCaption), MB_OK);
    return false;
}

void CInstallCdDlg::CopyFiles()
{
    if (!DiscKnown()) return;
    if (memory_.availableMb < NeededMb &&
        services_.boxes.Show(Tr("Install", "There isn't enough space on this hard drive\nfor all the files.  Do you "
                                           "want to continue?"),
                             Tr("Install", "Not Enough Free Drive Space"), MB_OKCANCEL) == IDCANCEL)
        return;
    const std::string typed = destination_->text().toStdString();
    // An empty folder would become the root, a long one could not be read
    // back: neither is cut to some other folder.
    if (typed.empty() || WithSeparator(typed).size() > MaxFolderLength) {
        services_.boxes.Show(Tr("Install", FatalCopyError), Tr("Install", CopyErrorCaption), MB_ICONEXCLAMATION | MB_OK);
        PostCommand(IDCANCEL);
        return;
    }
    memory_.destination = WithSeparator(typed);
    Copy(memory_.destination);
}

void CInstallCdDlg::Copy(const std::string& destination)
{
    CFileBatch batch(services_.files);
    batch.AddSource(memory_.cdSource + "*.flc");
    batch.AddDestination(destination);
    CFileBatch::Switches switches;
    switches.filesOnly = switches.noConfirmation = switches.noConfirmMkdir = switches.simpleProgress = true;
    batch.SetOperation(FO_COPY, switches);
    bool started = false, aborted = false;
    int result = 0;
    // A copy that failed or was cancelled is not an installation: the game
    // keeps the animations it has (what was copied stays on the disk).
    if (!batch.Run(started, result, aborted) || aborted) {
        services_.boxes.Show(started ? Tr("Install", "An error occured while copying files.") : Tr("Install", FatalCopyError),
                             Tr("Install", CopyErrorCaption), MB_ICONEXCLAMATION | MB_OK);
        PostCommand(IDCANCEL);
        return;
    }
    WriteString("cd_anim_dir", destination);
    services_.postToMainWindow(ID_CD_ANIM_INSTALLED);
    services_.boxes.Show(Tr("Install", "CD animation successfully installed."), Tr("Install", "Install Complete"), MB_OK);
    PostCommand(IDOK);
}
