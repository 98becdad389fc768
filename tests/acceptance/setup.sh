# What every real-window script starts with, sourced after `exe`, `bin` and `data` are set:
# the tools checked (exit 77, a skip, when one is missing), a temporary folder `work` removed at
# exit with `app` (the application folder), `home` and `shots` in it, and the program's
# environment pointed there so no user setting, record or recent file is read or written.
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
app=$work/app
mkdir -p "$app" "$work/home" "$work/shots" "$work/runtime"
chmod 700 "$work/runtime"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=xcb
# Under the sanitizers, allocations keep full stacks: Qt's libraries have no frame pointers,
# and a leak of theirs at exit is told from ours only by the frames below Qt.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
fi
