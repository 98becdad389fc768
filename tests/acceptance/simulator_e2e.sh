#!/usr/bin/env bash
# The simulator as a person meets it: the real window on an X server (Xvfb, the X11 platform),
# driven with xdotool and the mouse. The program starts with a load named on the command line;
# on the Shooting Simulator tab one shot is fired by clicking into the scope view and one with
# Fire, and the score captions must change each time. On the Simulator Controls tab a few values
# are set, a target is chosen and then a damaged background, which must be reported by exactly
# one message box that Return dismisses. The session is saved with File > Save As through the
# file dialog and the window is closed with File > Exit. A second start names the saved session:
# the damaged background is reported once again, the caption names the session, the score
# captions and the scope view are those the first run showed after Reset Session, and the
# session saved again is the same file.
#
# Usage: simulator_e2e.sh QUORVEL BIN_DIR DATA_DIR
# Needs xvfb-run, xdotool and ImageMagick; skips (exit 77) when one is missing. With KEEP_SHOTS
# set to a folder, the screenshots of the steps are kept there.
set -uo pipefail

exe=$1
bin=$2
data=$3
. "$(dirname "$0")/setup.sh"
# The application folder: links to the libraries, and copies of the picture folders, where the
# program writes its masks and where a damaged picture is added.
for item in trajcore.so quorvelsim.so hello.bmp quorvel.chm drag; do
    [ -e "$bin/$item" ] && ln -s "$bin/$item" "$app/$item"
done
for folder in back targetw targetb sightw sightb; do
    mkdir -p "$app/$folder"
    [ -d "$bin/$folder" ] && cp -R "$bin/$folder/." "$app/$folder/"
done
for picture in back/meadow.jpg targetw/bullseye.gif; do
    [ -f "$app/$picture" ] || { echo "FAIL: $bin/$picture is missing"; exit 1; }
done
# A JPEG cut short: its header is whole, its scan is not.
head -c 3000 "$app/back/meadow.jpg" >"$app/back/damaged.jpg"
cp "$data/308win.qvt" "$work/308win.qvt"

inner=$(cat <<'SCRIPT'
set -u
exe=$1; app=$2; work=$3; shots=$work/shots
load=$work/308win.qvt; session=$work/e2e.ssn; again=$work/e2e-again.ssn
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & sleep 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pid=""; win=""

# Polls every 0.2 s until the command succeeds or the seconds run out.
poll() {
    local seconds=$1; shift
    local tries=$((seconds * 5))
    for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.2; done
    return 1
}
mainWindow() {
    win=$(xdotool search --onlyvisible --name "^Quorvel Tables" 2>/dev/null | head -1)
    [ -n "$win" ]
}
# Message boxes without a title of their own carry the program's name alone.
messageBoxes() { xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | wc -l; }
aMessageBox() { [ "$(messageBoxes)" -gt 0 ]; }
noMessageBox() { [ "$(messageBoxes)" -eq 0 ]; }
dialog() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
hasDialog() { [ -n "$(dialog "$1")" ]; }
noDialog() { [ -z "$(dialog "$1")" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
focus() { xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"; }
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.4; }
# A menu or a list's popup is a window of its own.
popupShown() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -gt 1 ]; }
openList() {
    xdotool mousemove --window "$win" "$1" "$2" click 1
    poll 5 popupShown || fail "the list at $1,$2 did not open"
}
openFileMenu() {
    # A dialog just closed may leave the keyboard nowhere when no window manager gives it back.
    focus
    xdotool key alt+f
    poll 5 popupShown || fail "the File menu did not open"
}

# A screenshot of the window once it has stopped changing (a busy machine repaints late). A
# blinking text cursor alternates between two pictures: seeing one again counts as settled.
screenshot() {
    local older="" previous="" now
    for _ in $(seq 1 15); do
        import -window "$win" "$shots/$1.ppm" 2>/dev/null || return 1
        now=$(md5sum <"$shots/$1.ppm")
        [ "$now" = "$previous" ] || [ "$now" = "$older" ] && return 0
        older=$previous
        previous=$now
        sleep 0.2
    done
}
# Share of the window's pixels that are not its most common colour.
content() {
    screenshot "$1" || { echo 0; return; }
    # Every second pixel each way is enough for a share, and four times quicker.
    convert "$shots/$1.ppm" -sample 50% -format %c histogram:info:- |
        awk -F: '{ n = $1 + 0; total += n; if (n > top) top = n }
                 END { printf "%.3f", total ? 1 - top / total : 0 }'
}
check() {
    local share
    share=$(content "$1")
    if awk -v s="$share" -v m="$2" 'BEGIN { exit !(s < m) }'; then
        fail "$1: only $share of the window shows content"
    else
        echo "ok: $1 ($share)"
    fi
}
# A digest of a part of the last screenshot of a step: the score captions or the scope view.
scores() { convert "$shots/$1.ppm" -crop 420x70+820+440 +repage rgb:- 2>/dev/null | md5sum; }
scope() { convert "$shots/$1.ppm" -crop 770x770+20+75 +repage rgb:- 2>/dev/null | md5sum; }

# The places clicked below are those of a window of 1280 x 881 pixels, what the window takes of
# this screen under a window manager; without one it is given that size.
ready() {
    sleep 1
    command -v openbox >/dev/null || { xdotool windowsize --sync "$win" 1280 881; sleep 0.5; }
    focus
}
start() {
    "$exe" --appdir "$app" "$1" >>"$shots/out.log" 2>&1 &
    pid=$!
}
# One damaged picture, one message: it must show, alone, and once dismissed not come back.
expectOneMessage() {
    if ! poll 10 aMessageBox; then fail "$1: no message box"; return; fi
    sleep 0.5
    local count
    count=$(messageBoxes)
    [ "$count" -eq 1 ] || fail "$1: $count message boxes at once"
    import -window "$(xdotool search --onlyvisible --name '^Quorvel$' | head -1)" \
        "$shots/$1-message.png" 2>/dev/null
    xdotool key Return
    poll 5 noMessageBox || { fail "$1: Return did not dismiss the message"; return; }
    sleep 1.5
    noMessageBox || fail "$1: the message came again"
    echo "ok: $1 reported once"
}
# File > Save As on a simulator tab, with the path typed into the file dialog.
saveAs() {
    openFileMenu; xdotool key a
    poll 10 hasDialog "Save As" || { fail "Save As: no file dialog"; return; }
    sleep 0.5
    xdotool type --delay 15 "$1"; sleep 0.3; xdotool key Return
    poll 10 noDialog "Save As" || fail "Save As: the dialog stayed open"
    poll 5 test -s "$1" || fail "Save As: $1 was not written"
}
# File > Exit; any question about unsaved changes is a fault here, answered No.
exitWindow() {
    openFileMenu; xdotool key x
    for _ in $(seq 1 50); do
        ended && break
        if hasDialog "Unsaved Changes.*"; then
            fail "$1: asked about unsaved changes after saving"
            xdotool key alt+n
        fi
        sleep 0.2
    done
    if ! ended; then fail "$1: the window did not close"; kill "$pid"; return; fi
    wait "$pid"; local status=$?
    [ $status -eq 0 ] || fail "$1: exit status $status"
}
# Record N (1-based) of a session file, without its line end.
record() { sed -n "${2}p" "$1" | tr -d '\r'; }
# Record N of the saved session must hold TEXT; the third argument names it.
expectRecord() {
    local got
    got=$(record "$session" "$1")
    [ "$got" = "$2" ] || fail "session record $1 ($3) is '$got', expected '$2'"
}

# ---- first run: a load from the command line ----
start "$load"
poll 15 mainWindow || { echo "FAIL: no window"; kill "$pid"; exit 1; }
ready
echo "window: $(xdotool getwindowgeometry "$win" | tr '\n' ' ')"
check start 0.10
for _ in 1 2 3 4; do xdotool key ctrl+Tab; sleep 0.3; done
sleep 0.7
check simulator 0.30
before=$(scores simulator)
# A shot with the mouse: a left click anywhere in the scope view fires at that point.
click 250 300; sleep 0.5
check mouse-shot 0.30
afterMouse=$(scores mouse-shot)
[ "$afterMouse" != "$before" ] || fail "a click into the scope view changed no score caption"
click 1031 385; sleep 0.5
check fire-shot 0.30
afterFire=$(scores fire-shot)
[ "$afterFire" != "$afterMouse" ] || fail "Fire changed no score caption"

# Simulator Controls: group size, rounds, notes and target, then the damaged background.
xdotool key ctrl+shift+Tab; sleep 0.7
click 1192 113; xdotool key ctrl+a; xdotool type 2; xdotool key Tab
click 208 628; xdotool key ctrl+a; xdotool type 7; xdotool key Tab
click 940 600; xdotool type "e2e notes"
openList 608 144; xdotool key Home Return; sleep 0.5
noMessageBox || fail "choosing bullseye.gif gave a message"
openList 608 114; xdotool key Home Down Return
expectOneMessage damaged-choice
check damaged 0.05
# Showing the scope view and coming back must not report the same choice again.
xdotool key ctrl+Tab; sleep 1; xdotool key ctrl+shift+Tab; sleep 1
noMessageBox ||
    { fail "the damaged picture was reported again at a tab switch"; xdotool key Return; }
check controls 0.05

# A fresh start of the session, then saved under a name of its own.
xdotool key ctrl+Tab; sleep 0.7
click 887 533; sleep 0.5
check reset 0.30
resetScores=$(scores reset)
resetScope=$(scope reset)
saveAs "$session"
check saved 0.30
xdotool getwindowname "$win" | grep -q "Session: e2e.ssn" ||
    fail "after Save As the caption does not name e2e.ssn"
if [ -s "$session" ]; then
    expectRecord 1 2 "group size"
    expectRecord 2 bullseye.gif target
    expectRecord 16 7 rounds
    expectRecord 18 damaged.jpg background
    expectRecord 24 "$load" "load file"
    expectRecord 25 "e2e notes" notes
fi
exitWindow "first run"

# ---- second run: the saved session from the command line ----
start "$session"
expectOneMessage restored-damaged
poll 15 mainWindow || { echo "FAIL: no window for the session"; kill "$pid"; exit 1; }
ready
check restored 0.05
caption=$(xdotool getwindowname "$win")
grep -q "Load: 308 Win" <<<"$caption" || fail "restored caption does not name the load: $caption"
grep -q "Session: e2e.ssn" <<<"$caption" ||
    fail "restored caption does not name the session: $caption"
# The session opens on the controls tab; the scope view is one tab further.
xdotool key ctrl+Tab; sleep 1
check restored-simulator 0.30
shown="(reset.png and restored-simulator.png, kept with KEEP_SHOTS)"
[ "$(scores restored-simulator)" = "$resetScores" ] ||
    fail "the restored score captions differ from the saved session's $shown"
[ "$(scope restored-simulator)" = "$resetScope" ] ||
    fail "the restored scope view differs from the saved session's $shown"
noMessageBox ||
    { fail "the damaged picture was reported again on the scope tab"; xdotool key Return; }
saveAs "$again"
if ! cmp -s "$session" "$again"; then
    fail "the session saved again differs from the one read:" \
        "$(diff <(tr -d '\r' <"$session") <(tr -d '\r' <"$again") | tr '\n' ' ')"
fi
exitWindow "second run"
exit $failures
SCRIPT
)

timeout 90 xvfb-run -a -s "-screen 0 1280x900x24" bash -c "$inner" inner "$exe" "$app" "$work"
status=$?
# KEEP_SHOTS=folder keeps the screenshots of the steps for a look.
if [ -n "${KEEP_SHOTS:-}" ]; then
    mkdir -p "$KEEP_SHOTS"
    for shot in "$work"/shots/*; do
        case $shot in
        *.ppm) convert "$shot" "$KEEP_SHOTS/$(basename "$shot" .ppm).png" ;;
        *) cp "$shot" "$KEEP_SHOTS"/ ;;
        esac
    done
    echo "screenshots in $KEEP_SHOTS"
fi
if [ $status -ne 0 ]; then
    [ $status -eq 124 ] && echo "FAIL: the run took longer than 90 s"
    echo "output of the program:"; cat "$work/shots/out.log" 2>/dev/null
    exit 1
fi
echo "PASS"
