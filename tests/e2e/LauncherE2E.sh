#!/usr/bin/env bash
# The program from its first window on, in a real X display: the launcher appears, Alt+O opens
# the options, Windowed and 800x600 with Ok are written to the settings file, Alt+S starts the
# game window at that size, the game reaches its menu, and closing the game window ends the
# program with status 0. Then: Cancel changes nothing and Escape ends the program; a broken
# settings value is shown in a message box before the launcher opens, and Alt+X ends it.
#
# usage: LauncherE2E.sh <game folder> <close-window helper> [folder for the dialogs' screenshots]
# Exits 77 (skipped) without a display.
set -uo pipefail

game_dir=$1
close_window=$2
shots=${3:-}

if [ -z "${DISPLAY:-}" ]; then
    echo "no X display: run under xvfb-run"
    exit 77
fi

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for f in "$work/out.txt" "$work/game/debug.txt" "$settings"; do
        [ -f "$f" ] && { echo "--- $f" >&2; cat "$f" >&2; }
    done
    exit 1
}

# wait_for <seconds> <command...>: retries the command until it succeeds.
wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

# The visible windows of the program, optionally only those with the given title.
visible_window() {
    if [ $# -gt 0 ]; then
        xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1
    else
        xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null | head -1
    fi
}
has_window() { [ -n "$(visible_window "$@")" ]; }
no_window() { [ -z "$(visible_window "$@")" ]; }

. "$(dirname "$0")/MessageBox.sh"
box_or_launcher() { [ -n "$(message_box)" ] || has_window; }

# geometry <window>: sets X, Y, WIDTH, HEIGHT.
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# Distinct colours in a picture: a blank screen has one.
colours() { identify -format '%k' "$1"; }

ended() { ! kill -0 "$pid" 2>/dev/null; }

# start_program [extra sanitizer options]
start_program() {
    ASAN_OPTIONS="${ASAN_OPTIONS:-}${1:+:$1}" "$work/game/veltrane" >"$work/out.txt" 2>&1 &
    pid=$!
    wait_for 30 has_window Veltrane || fail "the launcher did not appear"
    launcher=$(visible_window Veltrane)
}

read -r screen_w screen_h < <(xdotool getdisplaygeometry)

cp -r "$game_dir" "$work/game" || fail "cannot copy the game folder"
rm -f "$work/game/debug.txt"
export XDG_CONFIG_HOME=$work/config
export SDL_AUDIODRIVER=dummy
# In a sanitizer build the font configuration library's caches (used by the dialogs' fonts) are
# still held at exit; they are the library's, not the program's.
printf 'leak:libfontconfig.so\nleak:libXft.so\n' >"$work/lsan.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/lsan.supp"
settings=$XDG_CONFIG_HOME/Quillomar/settings.ini
mkdir -p "$(dirname "$settings")"
# Full screen at 640x480 of its own: the list is free to change.
printf '[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=1\nResolution=2\nColor=0\nDesktop=0\nTexture=2\nHelp=1\nWriteDebug=0\nPseudoFullscreen=0\n' >"$settings"

# ---- The launcher -------------------------------------------------------------------------------
# The game window's run loads and unloads SDL's and the GL driver's libraries, which leave blocks
# behind that a sanitizer build can no longer trace to a library; so this run is not leak-checked.
# The runs below that stay in the dialogs are.
start_program detect_leaks=0
geometry "$launcher"
[ "$WIDTH" = 327 ] && [ "$HEIGHT" = 166 ] || fail "launcher is ${WIDTH}x${HEIGHT}"
[ "$X" = $(((screen_w - 327) / 2)) ] && [ "$Y" = $(((screen_h - 166) / 2)) ] ||
    fail "launcher at $X,$Y is not centred"
sleep 0.5
import -window root "$work/launcher.png"
[ "$(colours "$work/launcher.png")" -gt 50 ] || fail "the screen with the launcher is blank"
[ -n "$shots" ] && import -window "$launcher" "$shots/launcher.png"

# ---- Options: Windowed, 800x600, Ok -------------------------------------------------------------
xdotool windowfocus --sync "$launcher"
xdotool key alt+o
wait_for 10 has_window Options || fail "Alt+O did not open the options"
options=$(visible_window Options)
geometry "$options"
[ "$WIDTH" = 297 ] && [ "$HEIGHT" = 196 ] || fail "options dialog is ${WIDTH}x${HEIGHT}"
[ -n "$shots" ] && { sleep 0.3; import -window "$options" "$shots/video-options.png"; }

xdotool mousemove --window "$options" 168 29 click 1 # "Windowed"
sleep 0.3
xdotool mousemove --window "$options" 218 84 click 1 # the resolution list, showing 640x480
sleep 0.5
xdotool key Down Return # the next item, 800x600
sleep 0.3
[ -n "$shots" ] && import -window "$options" "$shots/video-options-windowed.png"
xdotool windowfocus --sync "$options"
xdotool key alt+o
wait_for 10 no_window Options || fail "Alt+O did not close the options with Ok"
for line in Fullscreen=0 Resolution=3 Color=1 Desktop=0 Help=1; do
    grep -qx "$line" "$settings" || fail "the settings file lacks $line"
done
has_window Veltrane || fail "the launcher went away with the options"

# ---- Start: the game window at 800x600, its menu, its close box ----------------------------------
xdotool windowfocus --sync "$launcher"
xdotool key alt+s
wait_for 10 no_window Veltrane || fail "Alt+S did not hide the launcher"
wait_for 30 has_window || fail "no game window appeared"
game=$(visible_window)
geometry "$game"
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "game window is ${WIDTH}x${HEIGHT}, not 800x600"
wait_for 240 grep -q " ... Loading finished" "$work/game/debug.txt" || fail "the game did not reach its menu"
sleep 1
import -window root "$work/menu.png"
[ "$(colours "$work/menu.png")" -gt 50 ] || fail "the screen with the game's menu is blank"

# The trace: the main window starts it, the launcher's line follows, then the window shows.
created=$(grep -n " Main form created" "$work/game/debug.txt" | head -1 | cut -d: -f1)
shown=$(grep -n " Showing main form" "$work/game/debug.txt" | head -1 | cut -d: -f1)
mode=$(grep -n " Fullscreen = False" "$work/game/debug.txt" | head -1 | cut -d: -f1)
[ "$created" = 1 ] && [ -n "$mode" ] && [ -n "$shown" ] && [ "$mode" -lt "$shown" ] ||
    fail "trace lines out of order"

"$close_window" "$game" || fail "could not press the game window's close box"
wait_for 30 ended || fail "closing the game window did not end the program"
wait "$pid"
status=$?
pid=
[ "$status" = 0 ] || fail "the program ended with status $status"
grep -q " Main form closed" "$work/game/debug.txt" || fail "the main window did not close properly"
grep -qx "Fullscreen=0" "$settings" && grep -qx "Resolution=3" "$settings" ||
    fail "the settings saved at close lost the choice"

# ---- Cancel changes nothing; Escape on the launcher is Exit ---------------------------------------
rm -f "$work/game/debug.txt"
cp "$settings" "$work/settings-before.ini"
start_program
xdotool windowfocus --sync "$launcher"
xdotool key alt+o
wait_for 10 has_window Options || fail "Alt+O did not open the options again"
options=$(visible_window Options)
xdotool mousemove --window "$options" 40 29 click 1 # "Full screen"
xdotool windowfocus --sync "$options"
xdotool key alt+c
wait_for 10 no_window Options || fail "Alt+C did not cancel the options"
cmp -s "$settings" "$work/settings-before.ini" || fail "Cancel changed the settings file"
xdotool windowfocus --sync "$launcher"
xdotool key Escape
wait_for 10 ended || fail "Escape did not end the program"
wait "$pid"
status=$?
pid=
[ "$status" = 0 ] || fail "Escape ended the program with status $status"
[ ! -e "$work/game/debug.txt" ] || fail "leaving without a game wrote a trace"

# ---- A broken settings value: reported, the launcher opens with what was read; Alt+X ends ---------
printf '[Software\\Quillomar]\nFullscreen=0\nResolution=1\nColor=x\n' >"$settings"
"$work/game/veltrane" >"$work/out.txt" 2>&1 &
pid=$!
wait_for 30 box_or_launcher || fail "neither a message nor the launcher appeared"
box=$(message_box)
if [ -n "$box" ]; then
    # A player's desktop has the fonts SDL's message box needs: the box shows first, and its OK
    # (the Return key's button) lets the launcher open.
    has_window Veltrane && fail "the launcher opened before the message was answered"
    answer_message_box "$box"
    wait_for 30 has_window Veltrane || fail "the launcher did not open after the message"
    [ -z "$(message_box)" ] || fail "the message box is still there"
else
    # No message box could be shown on this display (SDL needs core X fonts or zenity): the text
    # went to the standard error instead.
    grep -q "Invalid data type for 'Color'" "$work/out.txt" || fail "the broken value was not reported"
fi
launcher=$(visible_window Veltrane)
xdotool windowfocus --sync "$launcher"
xdotool key alt+o
wait_for 10 has_window Options || fail "Alt+O did not open the options after a broken load"
options=$(visible_window Options)
xdotool windowfocus --sync "$options"
xdotool key Return # Ok is the default button
wait_for 10 no_window Options || fail "Enter did not close the options with Ok"
# What was read before the broken value (windowed, 640x400) came through; Ok wrote a full set.
for line in Fullscreen=0 Resolution=1 Color=1 Desktop=0 SoundVol=160; do
    grep -qx "$line" "$settings" || fail "after a broken load the settings file lacks $line"
done
xdotool windowfocus --sync "$launcher"
xdotool key alt+x
wait_for 10 ended || fail "Alt+X did not end the program"
wait "$pid"
status=$?
pid=
[ "$status" = 0 ] || fail "Exit ended the program with status $status"

echo "launcher end to end: ok"
