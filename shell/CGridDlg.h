#pragma once

#include <QButtonGroup>
#include <QDialog>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

class DialogUnits;
class QAbstractButton;

// Grid Settings: the board size and how many equal tiles make a set. It
// shows the stored choice and writes the new one on OK; the caller deals
// the new board.
class CGridDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId : int {
        IDC_SIZE_GROUP = 1006,
        IDC_4X4 = 1125,
        IDC_4X5 = 1126,
        IDC_5X6 = 1127,
        IDC_6X6 = 1128,
        IDC_6X7 = 1129,
        IDC_7X8 = 1130,
        IDC_8X8 = 1131,
        IDC_8X9 = 1132,
        IDC_MATCH_GROUP = 1007,
        IDC_MATCH2 = 1002,
        IDC_MATCH3 = 1003,
        IDC_MATCH4 = 1004,
        IDC_MATCH4_CORNERS = 1005,
    };
    // How a setting is written; the settings store unless a caller says.
    using NumberWriter = std::function<int(const std::string& name, std::int32_t value)>;

    // Qt centres a dialog over its parent when it is shown.
    explicit CGridDlg(QWidget* parent, NumberWriter write = nullptr);

    // The control with the given id (the two buttons are 1 and 2).
    QAbstractButton* Control(int id) const;

public slots:
    void accept() override;

private:
    void CreateControls();
    void AddRadio(DialogUnits& units, QButtonGroup& group, int id, const QString& text, int left, int top, int width);
    void CheckStoredChoice();

    NumberWriter write_;
    QButtonGroup sizes_, matches_;
    std::map<int, QAbstractButton*> controls_;
};
