#!/usr/bin/env bash
# Installs the game into a temporary prefix as a packager would, checks the
# desktop files with the desktop's own validators, then starts the
# installed program from an empty folder on a virtual screen and checks
# that it shows a board of pictures: it found its content in share/pairlet.
# Then, as a player with pictures of their own: pairlet-pack makes a pack of
# them, and the installed game plays it when named and when started in it.
#
#   install-and-check.sh BUILD_DIR [SCREENSHOT_DIR]
set -euo pipefail

source "$(dirname "$0")/../screen-session.sh" install-and-check "$@"

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
desktop-file-validate "$share/applications/com.quillory.Pairlet.desktop"
appstreamcli validate --pedantic --no-net "$share/metainfo/com.quillory.Pairlet.metainfo.xml" >/dev/null
for icon in scalable/apps/pairlet.svg 16x16/apps/pairlet.png 256x256/apps/pairlet.png \
    scalable/apps/com.quillory.Pairlet.svg 16x16/apps/com.quillory.Pairlet.png 256x256/apps/com.quillory.Pairlet.png; do
    [[ -s "$share/icons/hicolor/$icon" ]] || fail "no icon $icon"
done
for doc in LICENSE NOTICE; do [[ -s "$share/doc/pairlet/$doc" ]] || fail "no $doc"; done
[[ -s "$share/pairlet/Pairlet.ini" && -x "$prefix/bin/pairlet" ]] || fail "no game or content installed"
for page in man6/pairlet.6 man6/pairlet-text.6 man1/pairlet-media.1 man1/pairlet-pack.1 man1/pairlet-flic.1 man1/pairlet-sheet.1; do
    [[ -s "$share/man/$page" ]] || fail "no man page $page"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/$page" 2>&1 >/dev/null || true)
    [[ -z $warnings ]] || fail "man page $page: $warnings"
done

start_screen 141 190 1024x768
export SDL_AUDIODRIVER=dummy

# shot NAME FOLDER [PACK]: the installed game started in FOLDER (with PACK
# named), every face shown, a screenshot taken, the game ended.
shot() {
    start_game "$2" "$prefix/bin/pairlet" "${@:3}"
    [[ $(xprop -id "$window" WM_CLASS) == *'"pairlet", "pairlet"'* ]] || fail "window class is not the desktop file's"
    xdotool key ctrl+shift+alt+p # every face shown
    sleep 1
    xwd -root -silent | convert xwd:- "$shots/$1.png"
    kill "$game"
    wait "$game" 2>/dev/null || true
}
# The share of the screen in the colour of the player's own pictures.
magenta() { convert "$shots/$1.png" -fuzz 20% -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' -format '%[fx:mean]' info:; }

mkdir "$work/elsewhere"
shot installed "$work/elsewhere"
colours=$(convert "$shots/installed.png" -format %k info:)
# The covers alone show about 2 300 colours, the faces about 9 000.
[[ $colours -gt 5000 ]] || fail "the installed game shows no pictures ($colours colours)"

# The terminal game, started anywhere, plays the installed pictures.
text=$(cd "$work/elsewhere" && printf '1 1\nq\n' | "$prefix/bin/pairlet-text" 2>&1)
[[ $text == *"tile (row column)"* && $text != *Missing* ]] || fail "pairlet-text: $text"

# Twenty magenta pictures of the player's own, each with its own mark,
# made into a pack by the installed tool (or PAIRLET_PACK_TOOL).
mkdir "$work/mine"
for i in $(seq 20); do
    convert -size 160x120 xc:'#ff00ff' -fill white -draw "circle 80,60 80,$((20 + 4 * i))" "$work/mine/p$i.png"
done
"${PAIRLET_PACK_TOOL:-$prefix/bin/pairlet-pack}" "$work/mine" "$work/mypack" >"$work/pack.log" 2>&1 || fail "pairlet-pack: $(cat "$work/pack.log")"
grep -q "20 pictures into" "$work/pack.log" && grep -q "Match 2: " "$work/pack.log" || fail "pack: $(cat "$work/pack.log")"
shot named "$work/elsewhere" "$work/mypack"
shot inside "$work/mypack"
for s in named inside; do
    share=$(magenta $s)
    awk -v v="$share" 'BEGIN { exit !(v > 0.2) }' || fail "$s: the player's pictures are not shown (magenta $share)"
done
awk -v v="$(magenta installed)" 'BEGIN { exit !(v < 0.05) }' || fail "the installed pack shows magenta"

# A folder that is no pack is refused, and no window opens.
if (cd "$work/elsewhere" && timeout 10 "$prefix/bin/pairlet-text" "$work/mine" </dev/null) >"$work/refused.log" 2>&1; then
    fail "pairlet-text played a folder that is no pack"
fi
grep -q "is no Pairlet pack" "$work/refused.log" || fail "no message for a folder that is no pack"
echo "install-and-check: installed, validated, showing $colours colours; an own pack made and played"
