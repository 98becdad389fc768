#!/bin/sh
# Installs a build into a temporary DESTDIR under /usr and checks what a user of the installed
# program meets: the layout, the icons, nothing but the program, and a program that finds its
# folder through the bin/quorvel link and writes only to the per-user data folder.
#   check_install.sh BUILD_DIR APP_DIR   (APP_DIR: the application folder under the prefix)
set -eu
build=$1
appdir=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR=$work/dest cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
usr=$work/dest/usr
app=$usr/$appdir

# --- layout ----------------------------------------------------------------------------------
for f in bin/quorvel $appdir/quorvel $appdir/trajcore.so $appdir/quorvelsim.so \
    $appdir/hello.bmp $appdir/quorvel.chm $appdir/installed.txt \
    share/applications/quorvel.desktop share/mime/packages/quorvel.xml \
    share/man/man1/quorvel.1.gz share/doc/quorvel/copyright share/doc/quorvel/changelog.gz \
    share/icons/hicolor/scalable/apps/quorvel.svg; do
    [ -e "$usr/$f" ] || fail "not installed: $f"
done
[ "$(readlink "$usr/bin/quorvel")" = "../$appdir/quorvel" ] ||
    fail "bin/quorvel is not the link ../$appdir/quorvel: $(ls -l "$usr/bin/quorvel")"
for d in back targetw sightw; do
    [ -n "$(ls "$app/$d")" ] || fail "picture folder $d/ installed empty"
done
[ "$(ls "$usr/share/metainfo"/*.metainfo.xml | wc -l)" -eq 1 ] || fail "no single AppStream file"
for size in 16 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/quorvel.png
    file "$png" | grep -q "PNG image data, $size x $size," || fail "icon $png: $(file "$png")"
done

# Nothing but the program: the only executable is the program, and no test, benchmark, build
# tool or file written by a run came along.
execs=$(cd "$work/dest" && find . -type f -perm -u+x)
[ "$execs" = "./usr/$appdir/quorvel" ] || fail "executables installed: $execs"
strays=$(cd "$work/dest" && find . -mindepth 1 \( -name 'lastfile.dat' -o -name '*.tmp' -o -name '*.qvt' \
    -o -name '*.ssn' -o -name '.*' \) -print)
[ -z "$strays" ] || fail "run-time files installed: $strays"
for d in targetb sightb; do
    [ -z "$(ls -A "$app/$d" 2>/dev/null)" ] || fail "masks installed in $d/"
done

# --- the installed program -------------------------------------------------------------------
snapshot() { (cd "$work/dest" && find . -printf '%p %s %T@ %m\n' | sort); }
if [ "$(id -u)" -eq 0 ]; then
    echo "note: running as root, which writes through read-only folders: the read-only part is" \
        "skipped; the installed copy must still write nothing into its folder"
else
    chmod -R a-w "$app"
fi
before=$(snapshot)
home=$work/home
mkdir -p "$home"
unset QUORVEL_APPDIR
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
export XDG_CACHE_HOME="$home/cache"

table=$("$usr/bin/quorvel" --table) || fail "quorvel --table exited with $?"
echo "$table" | grep -Eq 'Range +Height +H(clicks|mils)' || fail "no table printed: $table"

# The window, started through the link: it reads the pictures and help from its folder, writes
# its scratch file at start-up and the simulator's masks when it draws the scene.
QT_QPA_PLATFORM=offscreen "$usr/bin/quorvel" --screenshots "$work/shots" >"$work/window.log" 2>&1 ||
    { cat "$work/window.log" >&2; fail "the window could not take its pictures"; }
for tab in input table sim_view; do
    [ -s "$work/shots/$tab.png" ] || fail "no picture of $tab"
done
[ -f "$XDG_DATA_HOME/quorvel/temp.tmp" ] || fail "temp.tmp not in the per-user data folder"
[ -n "$(ls -A "$XDG_DATA_HOME/quorvel/targetb" 2>/dev/null)" ] ||
    fail "no target masks in the per-user data folder"

after=$(snapshot)
[ "$before" = "$after" ] || {
    echo "$before" >"$work/before"
    echo "$after" >"$work/after"
    diff "$work/before" "$work/after" >&2 || true
    fail "the program changed the installed tree"
}
echo "installed tree checked: $(cd "$work/dest" && find . -type f | wc -l) files"
