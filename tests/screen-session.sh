# Sourced by the tests that drive the real program on a virtual screen:
# their arguments, a scratch folder that goes at the end together with
# every process started, and the screen.
#
#   source screen-session.sh NAME BUILD_DIR [SCREENSHOT_DIR]
name=$1
build=$(cd "$2" && pwd)
shots=${3:-$(mktemp -d)}
mkdir -p "$shots"
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$name: $*" >&2; exit 1; }

# start_screen FIRST LAST WxH: a virtual screen on the first free display
# number of the range (tests running side by side use different ranges).
start_screen() {
    local n
    for n in $(seq "$1" "$2"); do [[ -e /tmp/.X$n-lock ]] || { display=$n; break; }; done
    Xvfb ":$display" -screen 0 "${3}x24" -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    export QT_QPA_PLATFORM=xcb DISPLAY=":$display" XDG_CONFIG_HOME="$work/config"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# start_game FOLDER PROGRAM [ARGUMENTS...]: the program started in FOLDER,
# its window titled Pairlet waited for and given the focus; sets $game (the
# process) and $window.
start_game() {
    local folder=$1
    shift
    (cd "$folder" && exec "$@") >"$work/game.log" 2>&1 &
    game=$!
    pids+=($game)
    window=$(timeout 20 xdotool search --sync --name '^Pairlet$' | head -1) || fail "no window titled Pairlet"
    sleep 1.5
    # No window manager gives the focus here.
    xdotool windowfocus --sync "$window"
    sleep 0.3
}
