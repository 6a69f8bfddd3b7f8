#include "game/BoardAccessible.h"

#include "game/BoardCellAccessible.h"
#include "game/BoardView.h"
#include "game/CGameWnd.h"
#include "platform/QtTexts.h"

#include <algorithm>

BoardAccessible::BoardAccessible(BoardView& view, CGameWnd& window)
    : QAccessibleWidget(&view, QAccessible::Table), view_(view), window_(window)
{
}

BoardAccessible::~BoardAccessible()
{
    for (QAccessible::Id id : cells_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* BoardAccessible::Factory(const QString& className, QObject* object)
{
    auto* view = qobject_cast<BoardView*>(object);
    if (className != QLatin1String("BoardView") || !view) return nullptr;
    return new BoardAccessible(*view, view->Window());
}

void BoardAccessible::Update(BoardView& view)
{
    if (!QAccessible::isActive()) return;
    if (auto* board = dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(&view)))
        board->SendChanges();
}

void BoardAccessible::Announce(BoardView& view, const QString& text)
{
    if (!QAccessible::isActive()) return;
    auto* board = dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(&view));
    if (!board) return;
    board->SendChanges();
    board->announcement_ = text;
    // Told on the board and on the focused cell, which a screen reader follows.
    QAccessibleEvent onBoard(&view, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&onBoard);
    if (QAccessibleInterface* cell = board->focusChild()) {
        QAccessibleEvent onCell(cell, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&onCell);
    }
}

int BoardAccessible::Count() const
{
    const GameSettings& s = window_.GameBoard().Settings();
    return std::min(s.rows * s.columns, window_.GameBoard().Count());
}

int BoardAccessible::FocusTile() const
{
    return Count() > 0 ? std::max(window_.KeyboardTile(), 0) : -1;
}

QString BoardAccessible::CellName(int tile) const
{
    const Board& board = window_.GameBoard();
    const int columns = board.Settings().columns;
    const QString place =
        platform::QTr("Board", "Row %1, column %2").arg(tile / columns + 1).arg(tile % columns + 1);
    const Tile& t = board.TileAtIndex(tile);
    if (t.state == FaceDown) return platform::QTr("Board", "%1, covered").arg(place);
    const QString picture = QString::fromStdString(board.Content().TileName(t.picture));
    if (t.state == Matched) return platform::QTr("Board", "%1, %2, matched").arg(place, picture);
    return platform::QTr("Board", "%1, %2").arg(place, picture);
}

bool BoardAccessible::CellFocused(int tile) const
{
    return tile == FocusTile() && view_.hasFocus();
}

void BoardAccessible::TurnCell(int tile)
{
    if (tile < 0 || tile >= Count()) return;
    // After the screen reader's call has returned: a turn can pause for a
    // miss or end in a question box, and the reader must not wait on either.
    CGameWnd* window = &window_;
    QMetaObject::invokeMethod(
        &view_, [window, tile] { window->TurnTile(tile); }, Qt::QueuedConnection);
}

void BoardAccessible::SendChanges()
{
    const int count = Count();
    if (int(toldNames_.size()) != count) {
        // A new grid: the table is another one.
        toldNames_.assign(std::size_t(count), QString());
        QAccessibleTableModelChangeEvent reset(&view_, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
    }
    for (int tile = 0; tile < count; ++tile) {
        QString name = CellName(tile);
        if (name == toldNames_[std::size_t(tile)]) continue;
        toldNames_[std::size_t(tile)] = std::move(name);
        QAccessibleEvent renamed(child(tile), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
        // Turned up it joins the attempt's selection, covered or matched it leaves it.
        QAccessible::State selection;
        selection.selected = true;
        QAccessibleStateChangeEvent reselected(child(tile), selection);
        QAccessible::updateAccessibility(&reselected);
    }
    const int focus = FocusTile();
    if (focus != toldFocus_ && focus >= 0 && view_.hasFocus()) {
        QAccessibleEvent focused(child(focus), QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
    toldFocus_ = focus;
}

void* BoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString BoardAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) return platform::QTr("Board", "Board");
    if (t == QAccessible::Description) return announcement_;
    return QAccessibleWidget::text(t);
}

int BoardAccessible::childCount() const
{
    return Count();
}

QAccessibleInterface* BoardAccessible::child(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    if (cells_.size() <= std::size_t(index)) cells_.resize(std::size_t(index) + 1, 0);
    QAccessible::Id& id = cells_[std::size_t(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(
            new BoardCellAccessible(const_cast<BoardAccessible&>(*this), index));
    return QAccessible::accessibleInterface(id);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const BoardCellAccessible*>(child);
    return cell && cell->Tile() < Count() ? cell->Tile() : -1;
}

QAccessibleInterface* BoardAccessible::childAt(int x, int y) const
{
    const QPoint at = view_.mapFromGlobal(QPoint(x, y));
    const int tile = window_.GameBoard().Layout().TileAt(at.x(), at.y());
    return child(tile);
}

QAccessibleInterface* BoardAccessible::focusChild() const
{
    return child(FocusTile());
}

QAccessibleInterface* BoardAccessible::cellAt(int row, int column) const
{
    const GameSettings& s = window_.GameBoard().Settings();
    if (row < 0 || column < 0 || row >= s.rows || column >= s.columns) return nullptr;
    return child(row * s.columns + column);
}

int BoardAccessible::rowCount() const
{
    return Count() > 0 ? window_.GameBoard().Settings().rows : 0;
}

int BoardAccessible::columnCount() const
{
    return Count() > 0 ? window_.GameBoard().Settings().columns : 0;
}

// The tiles turned in the attempt under way.
QList<QAccessibleInterface*> BoardAccessible::SelectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (int tile : window_.GameBoard().Selection())
        if (QAccessibleInterface* cell = child(tile)) cells.push_back(cell);
    return cells;
}
