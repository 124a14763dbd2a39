#!/usr/bin/env bash
# The Debian package: cpack makes veltrane_<version>_<arch>.deb from the build folder, lintian
# finds no errors in it, its control fields are those a games package needs, and its contents,
# unpacked with dpkg-deb into a temporary root, start the game (in usr/games, as Debian keeps games)
# to its menu.
#
# usage: Package.sh <build folder> <version> [folder for the screenshots and the lintian report]
set -uo pipefail

build=$(cd "$1" && pwd)
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
    rm -rf "$work"
}
trap cleanup EXIT
log=
fail() {
    echo "FAIL: $*" >&2
    [ -n "$log" ] && [ -f "$log" ] && { echo "--- $log" >&2; tail -20 "$log" >&2; }
    exit 1
}
. "$(dirname "$0")/GameDriver.sh"

arch=$(dpkg --print-architecture)
deb=$work/veltrane_${version}_$arch.deb
log=$work/cpack.txt
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$log" 2>&1 || fail "cpack failed"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work")"

control=$(dpkg-deb -f "$deb")
for field in "Package: veltrane" "Version: $version" "Section: games" "Architecture: $arch"; do
    echo "$control" | grep -qx "$field" || fail "the control file has no \"$field\""
done
echo "$control" | grep -q "^Maintainer: .*<.*@.*>" || fail "no maintainer"
for lib in libsdl2 libsdl2-mixer libsdl2-image libfltk1.3 libepoxy0 libjpeg62-turbo libc6; do
    echo "$control" | grep "^Depends:" | grep -q "$lib" || fail "the dependencies lack $lib"
done

log=$work/lintian.txt
lintian --allow-root "$deb" >"$log" 2>&1
[ -n "$keep" ] && cp "$log" "$keep/"
cat "$log" >&2
! grep -q "^E:" "$log" || fail "lintian reports errors"

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
[ -x "$root/usr/games/veltrane" ] && [ ! -e "$root/usr/bin" ] && [ -f "$root/usr/share/veltrane/data/Levels.dat" ] ||
    fail "the package lacks the program or its game folder"

mkdir -p "$work/home" "$work/cfg/Quillomar"
printf '[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=2\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n' \
    >"$work/cfg/Quillomar/settings.ini"
export HOME=$work/home XDG_CONFIG_HOME=$work/cfg SDL_AUDIODRIVER=dummy
unset XDG_DATA_HOME
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
log=$work/out.txt
cd "$work"
"$root/usr/games/veltrane" >"$log" 2>&1 &
pid=$!
trace_file=$HOME/.local/share/veltrane/debug.txt
start_game_window
shot package-menu
not_blank package-menu
lit_room package-menu
quit_from_menu
echo "package: built, lintian without errors, and the unpacked game reached its menu"
