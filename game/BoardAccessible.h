#pragma once

#include <QAccessibleWidget>
#include <QString>

#include <vector>

class BoardView;
class CGameWnd;

// The board as a screen reader sees it: a table of cells, one per tile,
// named by place and state ("Row 2, column 3, covered"; the picture's name
// once turned; "matched"). The keyboard's tile is the focused cell. Qt makes
// it only when an assistive technology asks, so without one nothing is spent.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    BoardAccessible(BoardView& view, CGameWnd& window);
    ~BoardAccessible() override;

    // Makes the board's interface when Qt asks for one for a BoardView.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);
    // Tells the assistive technology what changed since it was last told:
    // cells turned, covered or matched, the board dealt anew, the focus moved.
    static void Update(BoardView& view);
    // Says a miss, a completed set or the end of the game.
    static void Announce(BoardView& view, const QString& text);

    const CGameWnd& Window() const { return window_; }
    QString CellName(int tile) const;
    bool CellFocused(int tile) const;
    void TurnCell(int tile);

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return int(SelectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override { return SelectedCells(); }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int rowCount() const override;
    int columnCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    int Count() const;
    int FocusTile() const;
    QList<QAccessibleInterface*> SelectedCells() const;
    void SendChanges();

    BoardView& view_;
    CGameWnd& window_;
    mutable std::vector<QAccessible::Id> cells_;
    std::vector<QString> toldNames_;
    int toldFocus_ = -1;
    QString announcement_;
};
