#pragma once

#include <QDialog>

#include <cstddef>
#include <memory>

class AnimationControl;
class DialogUnits;
class mDirector;
class mSpriteImage;
class QPushButton;

namespace platform {
class Clock;
class Launcher;
} // namespace platform

// The About box: thanks, the two links, and the program's own small
// animation, which the dialog plays through the engine with a loop of its
// own that ticks every 50 ms until the dialog closes.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId : int {
        IDOK = 1,
        IDCANCEL = 2,
        IDC_WEBSITE = 1018,
        IDC_ANIMATION = 1023,
        IDC_EMAIL = 1024,
        ID_SHUT_DOWN = 30011,
    };
    static constexpr int TickMs = 50;
    static constexpr int DirtyCapacity = 50;
    static constexpr int DialogColourIndex = 245;
    static const char* const WebAddress;
    static const char* const MailLink;

    // flic: the animation, read in place; it must outlive the dialog.
    CAboutDlg(QWidget* parent, platform::Clock& clock, platform::Launcher& launcher, const unsigned char* flic,
              std::size_t flicSize);
    ~CAboutDlg() override;

    void OnCommand(int id);
    bool Animating() const { return director_ != nullptr; }
    AnimationControl& Animation() const { return *animation_; }
    QPushButton* Button(int id) const;

public slots:
    void accept() override { OnCommand(IDOK); }
    void reject() override { OnCommand(IDCANCEL); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QPushButton* AddButton(DialogUnits& units, int id, const QString& text, int left, int top, int width, int height);
    void StartUp(const unsigned char* flic, std::size_t flicSize);
    void AnimationLoop();
    void ShutDown();
    void PostCommand(int id);

    platform::Clock& clock_;
    platform::Launcher& launcher_;
    AnimationControl* animation_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* website_ = nullptr;
    QPushButton* email_ = nullptr;
    std::unique_ptr<mSpriteImage> sprite_;
    std::unique_ptr<mDirector> director_;
    int timerId_ = 0;
    bool closeRequested_ = false;
    bool keyEnded_ = false;
};
