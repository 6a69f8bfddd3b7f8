#!/usr/bin/env bash
# The board as a screen reader finds it over the desktop's accessibility
# bus: a table of named, focusable cells, one per tile, whose framed cell
# says its picture once Enter has turned it.
#
#   board-cells.sh BUILD_DIR
set -euo pipefail

# A session bus of its own, for the accessibility bus to be found on.
if [[ -z ${PAIRLET_ACCESSIBILITY_SESSION:-} ]]; then
    export PAIRLET_ACCESSIBILITY_SESSION=1
    exec dbus-run-session -- "$0" "$@"
fi

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../screen-session.sh" board-cells "$1"
start_screen 181 190 1280x720
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# Qt speaks to the bus whether or not a screen reader says it runs.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SDL_AUDIODRIVER=dummy PAIRLET_REDUCED_MOTION=1 LANGUAGE=en
start_game "$build" ./pairlet

/usr/bin/python3 "$here/board-cells.py" "$build/Pairlet.ini" || fail "the board's cells are not as a screen reader needs them"

# Quit from the menu, its last entry (Up wraps to it): the program ends as it
# should. Without a window manager the window gets its focus back by hand
# after the game's last box.
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key alt+o
sleep 0.5
xdotool key Up Return
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "Quit Pairlet did not end the program"
wait "$game" || fail "the program ended with status $?"
