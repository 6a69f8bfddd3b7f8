#!/usr/bin/env bash
# Plays the real game on a virtual screen as a player would and checks what
# the screen shows: covers at the start, every face after "reveal all",
# covers again after H, then a matched pair with its animation over the whole
# screen until a click, and one turned face.
#
#   play-and-check.sh BUILD_DIR [SCREENSHOT_DIR]
set -euo pipefail

source "$(dirname "$0")/../screen-session.sh" play-and-check "$@"
start_screen 91 140 1280x720
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"

start_game "$build" ./pairlet

shot() { xwd -root -silent | convert xwd:- "$shots/$1.png"; }
pixel() { convert "$shots/$1.png" -format "%[pixel:p{$2,$3}]" info:; }

# The board starts below the grey menu bar and its edge; the layout below
# is the game's own rule.
shot start
grey() { [[ $1 =~ ^srgb\(([0-9]+),([0-9]+),([0-9]+)\)$ ]] && [[ ${BASH_REMATCH[1]} == "${BASH_REMATCH[2]}" && ${BASH_REMATCH[2]} == "${BASH_REMATCH[3]}" ]]; }
top=0
while grey "$(pixel start 640 $top)" && [[ $top -lt 100 ]]; do top=$((top + 1)); done
rows=6 columns=6 width=1280 height=$((720 - top))
tw=$((width / columns)) th=$(((height + 1) / rows))
left=$(((width % columns) / 2)) y0=$((top + ((height + 1) % rows) / 2))
tiles=$((rows * columns))

# A fingerprint of what one tile shows.
tile() {
    local i=$1
    local x=$((left + (i % columns) * tw)) y=$((y0 + (i / columns) * th))
    # One row short: the layout lets the last row reach a pixel past the client.
    convert "$shots/$2.png" -crop "${tw}x$((th - 1))+${x}+${y}" +repage rgb:- | md5sum | cut -c1-32
}
click() {
    local i=$1
    local x=$((left + (i % columns) * tw + tw / 2)) y=$((y0 + (i / columns) * th + th / 2))
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
}

cover=$(tile 0 start)
for i in $(seq 0 $((tiles - 1))); do
    [[ $(tile "$i" start) == "$cover" ]] || fail "tile $i is not covered at the start"
done

xdotool key ctrl+shift+alt+p
sleep 0.7
shot revealed
declare -a face
for i in $(seq 0 $((tiles - 1))); do
    face[$i]=$(tile "$i" revealed)
    [[ ${face[$i]} != "$cover" ]] || fail "tile $i shows no face after reveal all"
done
a=-1 b=-1 single=-1
for i in $(seq 0 $((tiles - 1))); do
    for j in $(seq $((i + 1)) $((tiles - 1))); do
        if [[ ${face[$i]} == "${face[$j]}" ]]; then a=$i b=$j; break 2; fi
    done
done
[[ $a -ge 0 ]] || fail "no two tiles show the same picture"
for i in $(seq 0 $((tiles - 1))); do
    [[ ${face[$i]} != "${face[$a]}" ]] && { single=$i; break; }
done

xdotool key h
sleep 0.7
shot hidden
for i in $(seq 0 $((tiles - 1))); do
    [[ $(tile "$i" hidden) == "$cover" ]] || fail "tile $i is not covered after H"
done

click "$a"
click "$b"
sleep 1
shot animation
# Copies of the picture's animation over black, black at every corner.
for corner in "0 0" "1279 0" "0 719" "1279 719"; do
    [[ $(pixel animation $corner) == "srgb(0,0,0)" ]] || fail "the animation screen is not black at $corner"
done
shown=$(convert "$shots/animation.png" -fill white +opaque black -colorspace gray -format "%[fx:mean]" info:)
awk -v s="$shown" 'BEGIN { exit !(s > 0.05 && s < 0.7) }' || fail "the animation covers $shown of the screen"
sleep 0.5
shot animation2
[[ $(convert "$shots/animation.png" "$shots/animation2.png" -compose difference -composite -format "%[fx:maxima]" info:) != 0 ]] ||
    fail "the animation does not move"
xdotool click 1
sleep 0.7
click "$single"
shot played
matched=$(tile "$a" played)
[[ $matched == "$(tile "$b" played)" ]] || fail "the matched pair looks different"
[[ $matched != "$cover" && $matched != "${face[$a]}" ]] || fail "the pair is not shown as matched"
[[ $(tile "$single" played) == "${face[$single]}" ]] || fail "the turned tile does not show its face"
for i in $(seq 0 $((tiles - 1))); do
    [[ $i == "$a" || $i == "$b" || $i == "$single" ]] && continue
    [[ $(tile "$i" played) == "$cover" ]] || fail "tile $i should still be covered"
done
echo "play-and-check: covers, faces, matched pair and a turned tile where they belong ($shots)"
