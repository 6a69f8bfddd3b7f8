#include "shell/CGridDlg.h"

#include "shell/DialogUnits.h"
#include "shell/SettingsStore.h"
#include "platform/QtTexts.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct SizeChoice {
    int id, rows, columns;
};
constexpr SizeChoice Sizes[] = {
    {CGridDlg::IDC_4X4, 4, 4}, {CGridDlg::IDC_4X5, 4, 5}, {CGridDlg::IDC_5X6, 5, 6}, {CGridDlg::IDC_6X6, 6, 6},
    {CGridDlg::IDC_6X7, 6, 7}, {CGridDlg::IDC_7X8, 7, 8}, {CGridDlg::IDC_8X8, 8, 8}, {CGridDlg::IDC_8X9, 8, 9},
};

struct MatchChoice {
    int id, match, split;
};
constexpr MatchChoice Matches[] = {
    {CGridDlg::IDC_MATCH2, 2, 0},
    {CGridDlg::IDC_MATCH3, 3, 0},
    {CGridDlg::IDC_MATCH4, 4, 0},
    {CGridDlg::IDC_MATCH4_CORNERS, 4, 1},
};

// Only these combinations are told apart; others fall to a neighbour.
int SizeButtonFor(int rows, int columns)
{
    switch (columns) {
    case 4: return CGridDlg::IDC_4X4;
    case 5: return CGridDlg::IDC_4X5;
    case 6: return rows == 5 ? CGridDlg::IDC_5X6 : CGridDlg::IDC_6X6;
    case 7: return CGridDlg::IDC_6X7;
    case 8: return rows == 7 ? CGridDlg::IDC_7X8 : CGridDlg::IDC_8X8;
    case 9: return CGridDlg::IDC_8X9;
    default: return CGridDlg::IDC_6X6;
    }
}

int MatchButtonFor(int match)
{
    if (match == 3) return CGridDlg::IDC_MATCH3;
    if (match != 4) return CGridDlg::IDC_MATCH2;
    return ReadNumber("split", 0) != 0 ? CGridDlg::IDC_MATCH4_CORNERS : CGridDlg::IDC_MATCH4;
}

} // namespace

CGridDlg::CGridDlg(QWidget* parent, NumberWriter write)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      write_(write ? std::move(write) : NumberWriter(WriteNumber))
{
    setWindowTitle(platform::QTr("GridSettings", "Grid Settings"));
    setFont(DialogUnits::DialogFont());
    CreateControls();
    CheckStoredChoice();
}

void CGridDlg::CreateControls()
{
    DialogUnits units(font());
    units.SizeDialog(*this, 137, 133);
    auto* sizeBox = new QGroupBox(platform::QTr("GridSettings", "Grid Size"), this);
    units.Place(*sizeBox, 5, 5, 125, 45);
    AddRadio(units, sizes_, IDC_4X4, "4x4", 10, 20, 25);
    AddRadio(units, sizes_, IDC_4X5, "4x5", 10, 35, 25);
    AddRadio(units, sizes_, IDC_5X6, "5x6", 40, 20, 25);
    AddRadio(units, sizes_, IDC_6X6, "6x6", 40, 35, 25);
    AddRadio(units, sizes_, IDC_6X7, "6x7", 70, 20, 25);
    AddRadio(units, sizes_, IDC_7X8, "7x8", 70, 35, 25);
    AddRadio(units, sizes_, IDC_8X8, "8x8", 100, 20, 25);
    AddRadio(units, sizes_, IDC_8X9, "8x9", 100, 35, 25);
    auto* matchBox = new QGroupBox(platform::QTr("GridSettings", "Number of Tiles required for Match"), this);
    units.Place(*matchBox, 5, 55, 125, 45);
    AddRadio(units, matches_, IDC_MATCH2, platform::QTr("GridSettings", "Match 2"), 15, 70, 40);
    AddRadio(units, matches_, IDC_MATCH3, platform::QTr("GridSettings", "Match 3"), 15, 85, 40);
    AddRadio(units, matches_, IDC_MATCH4, platform::QTr("GridSettings", "Match 4"), 64, 70, 45);
    AddRadio(units, matches_, IDC_MATCH4_CORNERS, platform::QTr("GridSettings", "Match 4 Corners"), 64, 85, 63);

    auto* ok = new QPushButton(platform::QTr("GridSettings", "&OK"), this);
    units.Place(*ok, 70, 105, 60, 20);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CGridDlg::accept);
    auto* cancel = new QPushButton(platform::QTr("GridSettings", "&Cancel"), this);
    units.Place(*cancel, 5, 105, 60, 20);
    connect(cancel, &QPushButton::clicked, this, &CGridDlg::reject);
    controls_[1] = ok;
    controls_[2] = cancel;
    units.FitTexts();

    // Every radio button is a stop of its own, in the order of the layout.
    QWidget* previous = nullptr;
    for (int id : std::initializer_list<int>{IDC_4X4, IDC_4X5, IDC_5X6, IDC_6X6, IDC_6X7, IDC_7X8, IDC_8X8, IDC_8X9, IDC_MATCH2, IDC_MATCH3,
                   IDC_MATCH4, IDC_MATCH4_CORNERS, 1, 2}) {
        if (previous) setTabOrder(previous, controls_[id]);
        previous = controls_[id];
    }
}

void CGridDlg::AddRadio(DialogUnits& units, QButtonGroup& group, int id, const QString& text, int left, int top,
                        int width)
{
    auto* radio = new QRadioButton(text, this);
    units.Place(*radio, left, top, width, 10);
    radio->setFocusPolicy(Qt::StrongFocus);
    group.addButton(radio, id);
    controls_[id] = radio;
}

void CGridDlg::CheckStoredChoice()
{
    const int columns = ReadNumber("columns", 6);
    const int rows = ReadNumber("rows", 5); // not the game's 6
    controls_[SizeButtonFor(rows, columns)]->setChecked(true);
    controls_[MatchButtonFor(ReadNumber("match", 2))]->setChecked(true);
}

QAbstractButton* CGridDlg::Control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void CGridDlg::accept()
{
    MatchChoice match{0, 2, 0};
    for (const MatchChoice& m : Matches)
        if (matches_.checkedId() == m.id) match = m;
    SizeChoice size{0, 6, 6};
    for (const SizeChoice& s : Sizes)
        if (sizes_.checkedId() == s.id) size = s;
    // Written as offered, in this order; the game refuses what cannot be dealt.
    write_("match", match.match);
    write_("split", match.split);
    write_("rows", size.rows);
    write_("columns", size.columns);
    QDialog::accept();
}
