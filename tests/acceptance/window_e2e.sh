#!/usr/bin/env bash
# The program as a person meets it: the real window on an X server (Xvfb, the X11 platform),
# driven with xdotool. It starts with a load named on the command line, is resized smaller and
# back, shows every tab, and is closed with File > Exit. After each step a screenshot of the
# window must show content (a window emptied by a resize is almost one colour), and at the end
# the exit status and the last-file record are checked.
#
# Usage: window_e2e.sh QUORVEL BIN_DIR DATA_DIR
# Needs xvfb-run, xdotool and ImageMagick; skips (exit 77) when one is missing.
set -uo pipefail

exe=$1
bin=$2
data=$3
. "$(dirname "$0")/setup.sh"
# The application folder: the program's libraries and pictures, and room for what it writes.
for item in trajcore.so quorvelsim.so hello.bmp quorvel.chm back targetw targetb sightw sightb drag; do
    [ -e "$bin/$item" ] && ln -s "$bin/$item" "$app/$item"
done
cp "$data/308win.qvt" "$work/308win.qvt"

inner=$(cat <<'SCRIPT'
set -u
exe=$1; app=$2; load=$3; shots=$4
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & sleep 1; }
"$exe" --appdir "$app" "$load" >"$shots/out.log" 2>&1 &
pid=$!
win=""
for _ in $(seq 1 40); do
    win=$(xdotool search --name "Quorvel Tables" 2>/dev/null | head -1)
    [ -n "$win" ] && break
    sleep 0.25
done
[ -n "$win" ] || { echo "FAIL: no window"; kill $pid; exit 1; }
sleep 1

failures=0
# Share of the window's pixels that are not its most common colour.
content() {
    import -window "$win" "$shots/$1.png" 2>/dev/null || { echo 0; return; }
    local total top
    total=$(convert "$shots/$1.png" -format '%[fx:w*h]' info:)
    top=$(convert "$shots/$1.png" -format %c histogram:info:- | sort -rn | head -1 | awk -F: '{print $1+0}')
    awk -v t="$total" -v c="$top" 'BEGIN { printf "%.3f", 1 - c / t }'
}
check() {
    local share
    share=$(content "$1")
    if awk -v s="$share" -v m="$2" 'BEGIN { exit !(s < m) }'; then
        echo "FAIL: $1: only $share of the window shows content"
        failures=$((failures + 1))
    else
        echo "ok: $1 ($share)"
    fi
}

check start 0.10
xdotool windowsize "$win" 900 600; sleep 1; check smaller 0.10
xdotool windowsize "$win" 1180 840; sleep 1; check restored 0.10
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
for tab in table graph controls simulator input; do
    xdotool key ctrl+Tab; sleep 1; check "$tab" 0.05
done
grep -q "308 Win" <(xdotool getwindowname "$win") || { echo "FAIL: caption does not name the load"; failures=$((failures + 1)); }
# File > Exit from the keyboard.
xdotool key alt+f; sleep 0.5; xdotool key x
for _ in $(seq 1 40); do kill -0 $pid 2>/dev/null || break; sleep 0.25; done
if kill -0 $pid 2>/dev/null; then
    echo "FAIL: the window did not close"; kill $pid; exit 1
fi
wait $pid; status=$?
[ $status -eq 0 ] || { echo "FAIL: exit status $status"; failures=$((failures + 1)); }
exit $failures
SCRIPT
)

timeout 90 xvfb-run -a -s "-screen 0 1280x900x24" bash -c "$inner" inner "$exe" "$app" \
    "$work/308win.qvt" "$work/shots"
status=$?
if [ $status -ne 0 ]; then
    echo "output of the program:"; cat "$work/shots/out.log" 2>/dev/null
    exit 1
fi
record=$app/lastfile.dat
[ -f "$record" ] || record=$XDG_DATA_HOME/quorvel/lastfile.dat
if ! head -1 "$record" | grep -q "308win.qvt"; then
    echo "FAIL: lastfile.dat does not name the load"
    exit 1
fi
echo "PASS"
