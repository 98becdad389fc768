#!/usr/bin/env bash
# A metric shooter's first load, as a new user makes it: Options > Units… > Metric, File > New,
# a 7.62 x 51 typed in metric (11 g, 800 m/s, zero 100 m, BC 0.462, sight 45 mm), Save As,
# Exit; a second start with the file, saved again unchanged. The file must hold the imperial
# values the typed ones convert to, read back to the same bytes, and its 300 m row must be the
# imperial table's converted.
#
# Usage: metric_e2e.sh QUORVEL BIN_DIR DATA_DIR
# Needs xvfb-run, xdotool and ImageMagick; skips (exit 77) when one is missing.
set -uo pipefail

exe=$1
bin=$2
data=$3
. "$(dirname "$0")/setup.sh"
for item in trajcore.so quorvelsim.so hello.bmp quorvel.chm back targetw targetb sightw sightb drag; do
    [ -e "$bin/$item" ] && ln -s "$bin/$item" "$app/$item"
done
mkdir -p "$work/loads"

inner=$(cat <<'SCRIPT'
set -u
exe=$1; app=$2; loads=$3; shots=$4
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & sleep 1; }
failures=0
start() { # the window, with the arguments given; sets pid and win
    "$exe" --appdir "$app" "$@" >>"$shots/out.log" 2>&1 &
    pid=$!
    win=""
    for _ in $(seq 1 40); do
        win=$(xdotool search --name "Quorvel Tables" 2>/dev/null | head -1)
        [ -n "$win" ] && break
        sleep 0.25
    done
    [ -n "$win" ] || { echo "FAIL: no window"; kill $pid; exit 1; }
    sleep 1
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
}
quit() { # File > Exit from the keyboard; the window must close with status 0
    xdotool key ctrl+q
    for _ in $(seq 1 40); do kill -0 $pid 2>/dev/null || break; sleep 0.25; done
    if kill -0 $pid 2>/dev/null; then echo "FAIL: the window did not close"; kill $pid; exit 1; fi
    wait $pid || { echo "FAIL: exit status $?"; failures=$((failures + 1)); }
}
saveAs() { # File > Save As… into the file named
    xdotool key ctrl+shift+s; sleep 1.5
    xdotool key ctrl+a; xdotool type --delay 20 "$1"; xdotool key Return; sleep 1.5
}

start
# Options > Units…, Metric, OK.
xdotool key alt+t; sleep 0.5; xdotool key n; sleep 1
xdotool key M; sleep 0.3; xdotool key Return; sleep 1
import -window root "$shots/units.png"
# File > New, then the fields in their order from the cartridge.
xdotool key ctrl+n; sleep 1
xdotool mousemove --window "$win" 260 90 click 1; sleep 0.3
first=1
for value in "7.62x51" 11 800 1000 100 50 4 90 0.462 45; do
    [ $first -eq 1 ] || xdotool key Tab
    first=0
    xdotool key ctrl+a; xdotool type --delay 20 "$value"
done
xdotool key Tab; sleep 0.5
import -window root "$shots/typed.png"
saveAs "$loads/762.qvt"
quit
[ -f "$loads/762.qvt" ] || { echo "FAIL: the load was not saved"; ls -la "$loads"; exit 1; }

start "$loads/762.qvt"
import -window root "$shots/reopened.png"
saveAs "$loads/762-again.qvt"
quit
exit $failures
SCRIPT
)

timeout 100 xvfb-run -a -s "-screen 0 1280x900x24" bash -c "$inner" inner "$exe" "$app" \
    "$work/loads" "$work/shots"
status=$?
# Screenshots for a person to look at, when asked for.
[ -n "${QUORVEL_KEEP_SHOTS:-}" ] && cp "$work"/shots/*.png "$QUORVEL_KEEP_SHOTS"/ 2>/dev/null
if [ $status -ne 0 ]; then
    echo "output of the program:"; cat "$work/shots/out.log" 2>/dev/null
    exit 1
fi

load=$work/loads/762.qvt
fail() { echo "FAIL: $*"; exit 1; }
# The file keeps the classic units: 170 gr, 2625 ft/s, 1.771654 in, ranges in metres.
fields=$(tr -d '\r' <"$load" | head -40)
for expected in 7.62x51 170 2625 1000 100 50 0.462 1.771654; do
    grep -qx -- "$expected" <<<"$fields" || fail "the file does not hold $expected"
done
# Opened again and saved unchanged: the same bytes.
cmp -s "$load" "$work/loads/762-again.qvt" || fail "the reopened load saved differently"
# The 300 m row in metric is the imperial row converted (in -> cm, ft/s -> m/s).
metric=$("$exe" --appdir "$app" --table "$load" --csv --units metric | grep '^300,')
imperial=$("$exe" --appdir "$app" --table "$load" --csv | grep '^300,')
[ -n "$metric" ] && [ -n "$imperial" ] || fail "no 300 m row"
awk -F, -v m="$metric" 'BEGIN { split(m, a, ",") }
    { if ((a[2] - $2 * 2.54)^2 > 1e-6 || (a[6] - $6 * 0.3048)^2 > 1e-6) exit 1 }' <<<"$imperial" ||
    fail "the 300 m row differs: $metric / $imperial"
echo "PASS"
