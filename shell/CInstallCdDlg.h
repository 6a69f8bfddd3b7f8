#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

class DialogUnits;
class QLabel;
class QLineEdit;

namespace platform {
class FolderBrowser;
class MessageBoxes;
class ShellFiles;
class Volumes;
} // namespace platform

// Installs the add-on animations: finds the Lumaris disc by its label,
// proposes a folder, shows the space needed and available, and copies the
// disc's FLC files there. After a copy it records the folder and tells the
// main window, which switches the game to the installed animations.
class CInstallCdDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId : int {
        IDOK = 1,
        IDCANCEL = 2,
        IDC_DESTINATION = 109,
        IDC_COPY_FILES = 1021,
        IDC_SPACE_AVAILABLE = 1022,
        IDC_SPACE_NEEDED = 1023,
        IDC_SELECT_FOLDER = 1044,
    };
    static constexpr std::int64_t NeededMb = 117;
    // The longest folder the game reads back, with its separator.
    static constexpr std::size_t MaxFolderLength = 260;
    static const char* const DiscLabel;

    // What the installer keeps while the program runs; every opening
    // computes it anew, but a free space that cannot be queried keeps the
    // figure last computed.
    struct Memory {
        std::string cdSource;
        std::string destination;
        std::int64_t availableMb = 0;
    };
    struct Services {
        platform::MessageBoxes& boxes;
        const platform::Volumes& volumes;
        platform::FolderBrowser& folders;
        platform::ShellFiles& files;
        // Queues a command for the main window.
        std::function<void(int)> postToMainWindow;
    };

    // Looks for the disc and fills in the fields; the boxes for a missing
    // disc show before the dialog does.
    CInstallCdDlg(QWidget* parent, Services services, Memory& memory);
    ~CInstallCdDlg() override;

    void OnCommand(int id);
    // Queued like a posted message; the first command that ends the dialog wins.
    void PostCommand(int id);
    QWidget* Control(int id) const;
    // The folder proposed when the player has not chosen another.
    static std::string DefaultDestination();

public slots:
    void reject() override { OnCommand(IDCANCEL); }

private:
    void CreateControls();
    QLabel* AddLabel(DialogUnits& units, int id, const QString& text, QRect area);
    void Initialise();
    void ProposeDestination();
    std::optional<std::string> FindDisc() const;
    void ShowFreeSpace(const std::string& folder);
    void SelectFolder();
    void CopyFiles();
    bool DiscKnown();
    void Copy(const std::string& destination);
    void EndWith(int result);

    Services services_;
    Memory& memory_;
    QLineEdit* destination_ = nullptr;
    std::map<int, QWidget*> controls_;
    bool ended_ = false;
};
