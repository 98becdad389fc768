#!/bin/sh
# Checks one of the desktop files that get installed, with the desktop's own tools:
#   check_desktop_files.sh CHECK SOURCE_DIR BUILD_DIR QUORVEL
# CHECK: desktop | mime | appstream | manpage | manpage-options. SOURCE_DIR is packaging/ of
# the sources, BUILD_DIR packaging/ of the build (the configured files), QUORVEL the program.
set -eu
check=$1 src=$2 build=$3 quorvel=$4
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Prints the command's output and fails when it exited non-zero or printed anything.
quiet() {
    out=$("$@" 2>&1) || fail "$* exited with $?: $out"
    [ -z "$out" ] || fail "$*: $out"
}
# The manual page as man shows it, one option tag per line.
rendered() { LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$build/quorvel.1" 2>/dev/null; }

case $check in
desktop)
    quiet desktop-file-validate "$src/quorvel.desktop"
    ;;
mime)
    # update-mime-database compiles the package as the system would, and says what it rejects.
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
    db=$data/mime
    mkdir -p "$db/packages"
    cp "$src/quorvel-mime.xml" "$db/packages/quorvel.xml"
    XDG_DATA_DIRS=$data quiet update-mime-database "$db"
    for pair in '*.qvt:application/x-quorvel-document' '*.ssn:application/x-quorvel-session'; do
        grep -qxF "${pair#*:}:${pair%%:*}" "$db/globs" || fail "no glob $pair: $(cat "$db/globs")"
    done
    ;;
appstream)
    files=$(ls "$build"/*.metainfo.xml)
    out=$(appstreamcli validate --no-net --pedantic $files 2>&1) || fail "$out"
    # Warnings and errors fail; infos and pedantic notes are printed.
    echo "$out"
    if echo "$out" | grep -Eq '^[EW]: '; then fail "validation reported problems"; fi
    ;;
manpage)
    out=$(MANWIDTH=80 man --warnings -l "$build/quorvel.1" 2>&1 >/dev/null) || fail "man failed"
    [ -z "$out" ] || fail "man warns: $out"
    rendered | grep -q "Quorvel" || fail "the page renders empty"
    ;;
manpage-options)
    # Every option that --help prints has its own entry (a line that starts with it).
    options=$("$quorvel" --help | grep -oE -- '(^|[][ |])--?[A-Za-z][A-Za-z-]*' |
        sed 's/^[][ |]//' | sort -u)
    [ -n "$options" ] || fail "quorvel --help printed no option"
    page=$(rendered)
    missing=""
    for option in $options; do
        printf '%s\n' "$page" | grep -Eq -- "^ +$option( |=|\$)" || missing="$missing $option"
    done
    [ -z "$missing" ] || fail "options of quorvel --help missing from quorvel.1:$missing"
    echo "quorvel.1 covers:" $options
    ;;
*)
    fail "unknown check $check"
    ;;
esac
