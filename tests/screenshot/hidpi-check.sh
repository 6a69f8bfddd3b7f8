#!/usr/bin/env bash
# The board on a 3840 × 2160 screen at 200 %, every face shown: drawn in the
# screen's own pixels, not at half size and doubled. Doubling makes every
# pixel at an even column equal its right neighbour; a board drawn in device
# pixels has about as many equal pairs from even columns as from odd ones.
#
#   hidpi-check.sh BUILD_DIR [SCREENSHOT_DIR]
set -euo pipefail

source "$(dirname "$0")/../screen-session.sh" hidpi-check "$@"
start_screen 191 240 3840x2160
export SDL_AUDIODRIVER=dummy QT_SCALE_FACTOR=2

start_game "$build" ./pairlet
xdotool key ctrl+shift+alt+p # every face shown

# Equal neighbours counted on every seventh row of the board (below the menu).
neighbours() {
  convert "$shots/hidpi.png" -crop 3840x1900+0+160 +repage rgb:- | python3 -c '
import sys
data, w = sys.stdin.buffer.read(), 3840
counts = [0, 0]
for y in range(0, len(data) // (w * 3), 7):
    row = data[y * w * 3:(y + 1) * w * 3]
    for x in range(w - 1):
        counts[x % 2] += row[x * 3:x * 3 + 3] == row[x * 3 + 3:x * 3 + 6]
pairs = (len(data) // (w * 3) + 6) // 7 * (w // 2)
print(counts[0] / pairs, counts[1] / pairs)'
}
drawn_in_device_pixels() { python3 -c "import sys; sys.exit(0 if $1 < 0.95 and abs($1 - $2) < 0.15 else 1)"; }

# On a busy machine the faces take longer to be shown: looked at again a
# few times before the board counts as doubled.
for attempt in 1 2 3 4; do
  sleep 1.5
  xwd -root -silent | convert xwd:- "$shots/hidpi.png"
  read -r even odd < <(neighbours)
  drawn_in_device_pixels "$even" "$odd" && break
done
echo "hidpi-check: equal neighbours from even columns $even, from odd columns $odd"
drawn_in_device_pixels "$even" "$odd" || fail "the board is drawn at half size and doubled"
