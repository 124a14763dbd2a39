#!/bin/sh
# Start-up time and peak memory of the real game in a virtual display of 1280 x 1024 (the
# default settings take the desktop's size), on Mesa's software renderer:
# - start-up: from the main form's creation (the launcher's "Start Game") to the end of the
#   loading sequence, after which the same pass draws the first menu frame (trace ticks);
# - peak resident memory (VmHWM) after a game of mode 1 has run for a while.
# Usage: measure-game.sh <game folder> [seconds of play, default 20]
set -eu

GAME_DIR=$1
PLAY=${2:-20}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' sh "$0" "$@"
fi

WORK=$(mktemp -d)
PID=
cleanup() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
        kill "$PID"
        wait "$PID" || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

cp -r "$GAME_DIR" "$WORK/game"
rm -f "$WORK/game/debug.txt" "$WORK/game/data/Save1.dat" "$WORK/game/data/Save2.dat"
mkdir -p "$WORK/cfg/Quillomar"
# The default settings, without the tutorial and with the trace on (every value: a missing one
# stops the launcher with a message box).
printf '[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=1\nResolution=6\nColor=0\nDesktop=1\nTexture=2\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n' \
    > "$WORK/cfg/Quillomar/settings.ini"

cd "$WORK/game"
XDG_CONFIG_HOME="$WORK/cfg" SDL_AUDIODRIVER=dummy VELTRANE_SEED=20261207 ./veltrane > "$WORK/out.log" 2>&1 &
PID=$!

trace() { if [ -f debug.txt ]; then tr -d '\r' < debug.txt; fi; }
wait_trace() {
    n=0
    while ! trace | grep -qF -- "$1"; do
        kill -0 "$PID" 2>/dev/null || { echo "the program ended before \"$1\"" >&2; exit 1; }
        n=$((n + 1))
        [ "$n" -le $(($2 * 10)) ] || { echo "no \"$1\" after $2 s" >&2; exit 1; }
        sleep 0.1
    done
}
tick() { trace | grep -F -- "$1" | head -1 | sed 's/^\([0-9]*\).*/\1/'; }

timeout 60 xdotool search --sync --onlyvisible --pid "$PID" > /dev/null || { echo "no launcher window after 60 s" >&2; exit 1; }
sleep 1
xdotool key Return
wait_trace " Main form created" 30
wait_trace " ... Loading finished" 120
echo "start-up to the first menu frame: $(($(tick ' ... Loading finished') - $(tick ' Main form created'))) ms"

sleep 2
xdotool key Return
sleep 1.5
xdotool key Return
sleep "$PLAY"
grep -F VmHWM "/proc/$PID/status" | awk '{ printf "peak resident memory in a game: %.0f MB\n", $2 / 1024 }'
trace | grep -F FPS | tail -3
