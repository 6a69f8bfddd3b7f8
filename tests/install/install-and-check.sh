#!/usr/bin/env bash
# Installs the game into a temporary prefix as a packager would, checks the
# desktop files with the desktop's own validators, then starts the
# installed program from an empty folder on a virtual screen and checks
# that it shows a board of pictures: it found its content in share/pairlet.
#
#   install-and-check.sh BUILD_DIR [SCREENSHOT_DIR]
set -euo pipefail

source "$(dirname "$0")/../screen-session.sh" install-and-check "$@"

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
desktop-file-validate "$share/applications/com.quillory.Pairlet.desktop"
appstreamcli validate --no-net "$share/metainfo/com.quillory.Pairlet.metainfo.xml" >/dev/null
for icon in scalable/apps/pairlet.svg 16x16/apps/pairlet.png 256x256/apps/pairlet.png; do
    [[ -s "$share/icons/hicolor/$icon" ]] || fail "no icon $icon"
done
[[ -s "$share/pairlet/Pairlet.ini" && -x "$prefix/bin/pairlet" ]] || fail "no game or content installed"
for page in man6/pairlet.6 man6/pairlet-text.6 man1/pairlet-media.1 man1/pairlet-pack.1 man1/pairlet-flic.1 man1/pairlet-sheet.1; do
    [[ -s "$share/man/$page" ]] || fail "no man page $page"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/$page" 2>&1 >/dev/null || true)
    [[ -z $warnings ]] || fail "man page $page: $warnings"
done

start_screen 141 190 1024x768
export SDL_AUDIODRIVER=dummy

mkdir "$work/elsewhere"
(cd "$work/elsewhere" && exec "$prefix/bin/pairlet") >"$work/game.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --name '^Pairlet$' | head -1) || fail "no window titled Pairlet"
[[ $(xprop -id "$window" WM_CLASS) == *'"pairlet", "pairlet"'* ]] || fail "window class is not the desktop file's"
sleep 1.5
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key ctrl+shift+alt+p # every face shown
sleep 1
xwd -root -silent | convert xwd:- "$shots/installed.png"
colours=$(convert "$shots/installed.png" -format %k info:)
# The covers alone show about 2 300 colours, the faces about 9 000.
[[ $colours -gt 5000 ]] || fail "the installed game shows no pictures ($colours colours)"
echo "install-and-check: installed, validated, and showing $colours colours"
