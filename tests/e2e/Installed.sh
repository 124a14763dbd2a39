#!/usr/bin/env bash
# The installed game as a player gets it: `cmake --install` into a temporary prefix that is then
# made read-only, the desktop entry and metainfo checked by their validators, the command line's
# --help, --version and an unknown option, and the program started from an unrelated current
# folder with HOME and XDG_* in a temporary folder. It reaches the menu; a game left through the
# pause menu is saved, and a game ended by its empty time bank records its high score, both in
# $XDG_DATA_HOME/veltrane; nothing is written in the prefix or the current folder. Then a player's
# folder that cannot be made: the game still runs, says why on standard error, and a save says
# that it failed while the file in the folder's place stays as it was.
#
# usage: Installed.sh <build folder> <version> [folder for the screenshots]
set -uo pipefail

build=$1
version=$2
keep=${3:-}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash "$0" "$@"
fi

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null
    fi
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

log=
fail() {
    echo "FAIL: $*" >&2
    for f in "$log" "$work/home/.local/share/veltrane/debug.txt"; do
        [ -n "$f" ] && [ -f "$f" ] && { echo "--- $f" >&2; tr -d '\r' <"$f" | grep -v FPS | tail -20 >&2; }
    done
    exit 1
}
. "$(dirname "$0")/GameDriver.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
app_id=org.quillomar.veltrane
for f in bin/veltrane share/veltrane/data/Levels.dat share/veltrane/Images share/veltrane/Music \
    share/veltrane/Sounds share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/man/man6/veltrane.6.gz share/icons/hicolor/48x48/apps/$app_id.png \
    share/icons/hicolor/64x64/apps/$app_id.png share/icons/hicolor/128x128/apps/$app_id.png \
    share/icons/hicolor/256x256/apps/$app_id.png; do
    [ -e "$prefix/$f" ] || fail "the installation has no $f"
done
desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
identify -format '%wx%h\n' "$prefix/share/icons/hicolor/256x256/apps/$app_id.png" | grep -qx 256x256 ||
    fail "the 256 pixel icon has another size"

chmod -R a-w "$prefix"
find "$prefix" -printf '%p %s %T@\n' | sort >"$work/prefix.before"

# The command line only prints.
out=$("$prefix/bin/veltrane" --version) || fail "--version failed"
[ "$out" = "veltrane $version" ] || fail "--version printed \"$out\""
"$prefix/bin/veltrane" --help | grep -q -- "--version" || fail "--help has no usage"
for args in "--fullscreen" "--version --fullscreen"; do
    # shellcheck disable=SC2086
    "$prefix/bin/veltrane" $args >/dev/null 2>"$work/usage.txt"
    status=$?
    [ "$status" = 2 ] || fail "veltrane $args ended with $status"
    grep -q "unknown option '--fullscreen'" "$work/usage.txt" && grep -q Usage: "$work/usage.txt" ||
        fail "veltrane $args printed no usage naming the option"
done

mkdir -p "$work/elsewhere" "$work/home" "$work/cfg/Quillomar"
printf '[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=2\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n' \
    >"$work/cfg/Quillomar/settings.ini"
export HOME=$work/home XDG_CONFIG_HOME=$work/cfg SDL_AUDIODRIVER=dummy VELTRANE_SEED=20261207
unset XDG_DATA_HOME
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
player=$HOME/.local/share/veltrane

# A saved timed game whose time bank has run out, with a score for the high-score table: loading
# it ends the game at once.
mkdir -p "$player/data"
printf '01/01/26 12:00:00\r\n2\r\n1\r\n0\r\n-1.00000000000000E+0000\r\n 5.00000000000000E+0003\r\n0\r\n0\r\n' \
    >"$player/data/Save2.dat"

cd "$work/elsewhere"
log=$work/out1.txt
"$prefix/bin/veltrane" >"$log" 2>&1 &
pid=$!
trace_file=$player/debug.txt
start_game_window
shot menu
not_blank menu
lit_room menu
play_and_save_mode1
[ -s "$player/data/Save1.dat" ] || fail "no saved game in $player/data"
lose_timed_game_and_enter_name "$player/data/Save2.dat"
[ -s "$player/data/Hiscores.dat" ] || fail "no high scores in $player/data"
grep -aq INSTALLED "$player/data/Hiscores.dat" || fail "the high scores do not hold the name"
quit_from_menu
[ -s "$player/debug.txt" ] || fail "no trace in $player"

[ -z "$(ls -A "$work/elsewhere")" ] || fail "files written in the current folder: $(ls -A "$work/elsewhere")"
find "$prefix" -printf '%p %s %T@\n' | sort >"$work/prefix.after"
diff "$work/prefix.before" "$work/prefix.after" >&2 || fail "the prefix changed"

# A file where the player's folder should be.
export XDG_DATA_HOME=$work/blocked
mkdir -p "$XDG_DATA_HOME"
printf 'keep me\n' >"$XDG_DATA_HOME/veltrane"
log=$work/out2.txt
"$prefix/bin/veltrane" >"$log" 2>&1 &
pid=$!
trace_file=$log
start_game_window
grep "^veltrane: cannot make $XDG_DATA_HOME/veltrane" "$log" >&2 || fail "no message about the player's folder"
play_and_save_mode1
wait_for 10 grep -q "SaveGame data/Save1.dat: cannot" "$log" || fail "the failed save was not reported"
grep "SaveGame data/Save1.dat: cannot" "$log" >&2
# The player is told too: in a message box where the desktop can show one (it has the core X
# fonts SDL's box needs), on the standard error where it cannot.
if wait_for 10 has_message_box; then
    answer_message_box "$(message_box)"
    wait_for 10 eval '! has_message_box' || fail "the message box about the save is still there"
else
    grep -q "^Game not saved: " "$log" || fail "the player was not told that the save failed"
fi
quit_from_menu
[ "$(cat "$XDG_DATA_HOME/veltrane")" = "keep me" ] || fail "the file in the folder's place changed"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "files written in the current folder: $(ls -A "$work/elsewhere")"
echo "installed game: menu, save, high score, read-only prefix and a blocked player's folder all passed"
