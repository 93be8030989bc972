#!/bin/sh
# Builds the Debian package from a Release build, as scripts/package.sh does, and checks it: the
# file list in Debian's layout for games, lintian without errors, the library dependencies, the
# unpacked program finding its data under /usr/share/games and saving in the player's folder,
# and the metainfo, desktop entry and man page passing their validators.
# Usage: debian_package_test.sh SOURCE_DIR BUILD_DIR
set -eu
source="$1"
build="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQS_TESTS=OFF -DQS_BENCH=OFF -DQS_GAMES_LAYOUT=ON \
    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j"$(nproc)" >"$work/build.txt" 2>&1 || { cat "$work/build.txt"; fail "the Release build"; }
rm -f "$build"/quillstorm_*.deb
(cd "$build" && cpack -G DEB) >"$work/cpack.txt" 2>&1 || { cat "$work/cpack.txt"; fail "cpack -G DEB"; }
deb="$(ls "$build"/quillstorm_*.deb)"
echo "== $deb"

dpkg-deb --contents "$deb" | tee "$work/contents.txt"
files="$(awk '{print $6}' "$work/contents.txt")"
for path in ./usr/games/quillstorm ./usr/share/games/quillstorm/gfx/menus/mouse.png \
    ./usr/share/games/quillstorm/data/level11.dat ./usr/share/games/quillstorm/sfx/music/ \
    ./usr/share/applications/io.github.quillstorm.Quillstorm.desktop \
    ./usr/share/metainfo/io.github.quillstorm.Quillstorm.metainfo.xml \
    ./usr/share/man/man6/quillstorm.6.gz ./usr/share/doc/quillstorm/copyright \
    ./usr/share/doc/quillstorm/changelog.Debian.gz ./usr/share/icons/hicolor/256x256/apps/quillstorm.png; do
    echo "$files" | grep -qxF "$path" || fail "the package lacks $path"
done
for path in ./usr/bin/ ./usr/share/quillstorm/ ./usr/share/games/quillstorm/.generated \
    ./usr/share/games/quillstorm/data/savegames.dat; do
    echo "$files" | grep -qxF "$path" && fail "the package holds $path"
done

depends="$(dpkg-deb --field "$deb" Depends)"
echo "== Depends: $depends"
for library in libsdl2 libopenal libepoxy libpng libvorbis libjpeg libc6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library"
done

echo "== lintian"
lintian --fail-on error --info "$deb" || fail "lintian reports errors"

dpkg-deb -x "$deb" "$work/root"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.quillstorm.Quillstorm.metainfo.xml" ||
    fail "appstreamcli validate"
desktop-file-validate "$work/root/usr/share/applications/io.github.quillstorm.Quillstorm.desktop" ||
    fail "desktop-file-validate"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man6/quillstorm.6.gz" \
    >/dev/null 2>"$work/man.txt" || fail "man"
[ ! -s "$work/man.txt" ] || { cat "$work/man.txt"; fail "the man page renders with warnings"; }

# Played from the unpacked tree, as from /usr/games: skip the logos, open the player menu and
# rename slot 1 to "Deb"; Enter writes the save file into the player's folder.
{
    printf '5 click 1\n400 click 1\n460 move 400 300\n461 click 1\n540 move 400 404\n541 click 1\n'
    for frame in 545 546 547 548 549 550 551 552; do printf '%s key BACKSPACE\n' "$frame"; done
    printf '555 type Deb\n570 key ENTER\n'
} >"$work/script.txt"
mkdir "$work/home"
(cd / && env -u XDG_DATA_HOME HOME="$work/home" QS_NO_MESSAGE_BOX=1 "$work/root/usr/games/quillstorm" \
    --headless --windowed --seed 3 --frames 600 --script "$work/script.txt") >"$work/run.txt" 2>&1 ||
    { cat "$work/run.txt"; fail "the unpacked program"; }
[ "$(tr -d '\r' <"$work/home/.local/share/quillstorm/savegames.dat" | sed -n 2p)" = Deb ] ||
    fail "the save file is not in the player's folder"
echo "== the Debian package is sound"
