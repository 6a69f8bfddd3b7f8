#include "game/BoardCellAccessible.h"

#include "game/BoardAccessible.h"
#include "game/CGameWnd.h"

#include <QWidget>

#include <algorithm>

void* BoardCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool BoardCellAccessible::isValid() const
{
    return tile_ < board_.childCount();
}

QWindow* BoardCellAccessible::window() const
{
    return board_.window();
}

QAccessibleInterface* BoardCellAccessible::parent() const
{
    return &board_;
}

QString BoardCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid()) return {};
    if (t == QAccessible::Name) return board_.CellName(tile_);
    if (t == QAccessible::Description && board_.CellFocused(tile_)) return board_.text(QAccessible::Description);
    return {};
}

QRect BoardCellAccessible::rect() const
{
    if (!isValid()) return {};
    const TileRect r = board_.Window().GameBoard().Layout().RectOf(tile_);
    const QWidget* view = board_.Window().BoardWidget();
    return QRect(view->mapToGlobal(QPoint(r.x, r.y)), QSize(r.width, r.height));
}

QAccessible::State BoardCellAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.focusable = true;
    s.focused = board_.CellFocused(tile_);
    s.selectable = true;
    s.selected = isSelected();
    return s;
}

bool BoardCellAccessible::isSelected() const
{
    const std::vector<int>& selection = board_.Window().GameBoard().Selection();
    return std::find(selection.begin(), selection.end(), tile_) != selection.end();
}

int BoardCellAccessible::columnIndex() const
{
    return tile_ % std::max(board_.columnCount(), 1);
}

int BoardCellAccessible::rowIndex() const
{
    return tile_ / std::max(board_.columnCount(), 1);
}

void BoardCellAccessible::doAction(const QString& name)
{
    if (name == pressAction()) board_.TurnCell(tile_);
}

QStringList BoardCellAccessible::keyBindingsForAction(const QString& name) const
{
    return name == pressAction() ? QStringList{QStringLiteral("Return"), QStringLiteral("Space")} : QStringList{};
}
