"""Lists the board's cells over AT-SPI and turns the framed one with Enter.

board-cells.py CONTENT_FILE"""
import configparser
import subprocess
import sys
import time

import pyatspi


def find(node, role, depth=0):
    if node is None or depth > 12:
        return None
    if node.getRole() == role:
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), role, depth + 1)
        if found:
            return found
    return None


def game():
    for _ in range(50):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == "pairlet":
                return app
        time.sleep(0.2)
    sys.exit("no application named Pairlet on the accessibility bus")


def cells(table):
    return [table.getChildAtIndex(i) for i in range(table.childCount)]


def main():
    content = configparser.ConfigParser()
    content.read(sys.argv[1])
    pictures = set(content["Tiles"].values())

    table = find(game(), pyatspi.ROLE_TABLE)
    if table is None:
        sys.exit("no table on the board")
    board = cells(table)
    names = [c.name for c in board]
    print(f"{len(board)} cells, the first: {names[0]!r}, the last: {names[-1]!r}")
    if len(board) != 36 or table.queryTable().nRows != 6 or table.queryTable().nColumns != 6:
        sys.exit(f"the default board has {len(board)} cells")
    for i, cell in enumerate(board):
        expected = f"Row {i // 6 + 1}, column {i % 6 + 1}, covered"
        if cell.getRole() != pyatspi.ROLE_TABLE_CELL or cell.name != expected:
            sys.exit(f"cell {i} is {cell.getRoleName()} {cell.name!r}, not {expected!r}")
        if not cell.getState().contains(pyatspi.STATE_FOCUSABLE):
            sys.exit(f"cell {i} cannot take the focus")

    # The frame moves one to the right and goes with the focus; Enter turns it.
    subprocess.run(["xdotool", "key", "Right"], check=True)
    time.sleep(0.5)
    focused = [i for i, c in enumerate(cells(table)) if c.getState().contains(pyatspi.STATE_FOCUSED)]
    if focused != [1]:
        sys.exit(f"the focused cells after Right are {focused}, not [1]")
    subprocess.run(["xdotool", "key", "Return"], check=True)
    time.sleep(0.5)
    turned = table.getChildAtIndex(1).name
    print(f"after Enter: {turned!r}")
    place, _, picture = turned.partition(", column 2, ")
    if place != "Row 1" or picture not in pictures:
        sys.exit(f"the turned cell says {turned!r}, not a picture of the content file")

    # The next tile completes the pair or misses; either is said.
    subprocess.run(["xdotool", "key", "Right", "Return"], check=True)
    time.sleep(1.0)
    second = table.getChildAtIndex(2).name
    said = table.description
    print(f"then: {second!r}, said: {said!r}")
    expected = f"Set complete: {picture}" if second.endswith(", matched") else "Not a match"
    if said != expected or (expected == "Not a match" and not second.endswith(", covered")):
        sys.exit(f"after the second tile the board says {said!r} and the cell {second!r}")

    play_to_the_end(table)


def play_to_the_end(table):
    """Every face shown learns the pictures; then each set, turned through
    its cells' action, is said, and so is the end of the game."""
    subprocess.run(["xdotool", "key", "ctrl+shift+alt+p"], check=True)
    time.sleep(0.5)
    pictures = {}
    for i, cell in enumerate(cells(table)):
        pictures.setdefault(cell.name.split(", ")[2], []).append(i)
    subprocess.run(["xdotool", "key", "h"], check=True)
    time.sleep(0.5)
    for picture, tiles in pictures.items():
        if table.getChildAtIndex(tiles[0]).name.endswith(", matched"):
            continue
        for tile in tiles:
            table.getChildAtIndex(tile).queryAction().doAction(0)
            time.sleep(0.1)
        time.sleep(0.3)
        said = table.description
        if not said.startswith("Game over. ") and said != f"Set complete: {picture}":
            sys.exit(f"after the set of {picture} the board says {said!r}")
        if not all(table.getChildAtIndex(t).name.endswith(f", {picture}, matched") for t in tiles):
            sys.exit(f"the set of {picture} is not told as matched")
    print(f"at the end: {table.description!r}")
    if not table.description.startswith("Game over. Turns: "):
        sys.exit("the end of the game is not said")

    # Yes to another game: a new board of covered cells.
    subprocess.run(["xdotool", "key", "Return"], check=True)
    time.sleep(1.0)
    covered = sum(c.name.endswith(", covered") for c in cells(table))
    if covered != 36:
        sys.exit(f"the next game's board has {covered} covered cells")


main()
