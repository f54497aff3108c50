#!/usr/bin/env bash
# vorplan in a copy of the ready installation, with the real kalendo and the
# real X11 clipboard: kalendo's Ok is pressed by its test hook, the icon bar
# shows, the in-use marker is written, a text the user copies afterwards
# survives repaints and activations, and a confirmed close deletes the marker
# and advances MARG. Leaves a picture of the main window with the hover strip
# under an icon in SCREENSHOT.
# Usage (under xvfb-run): x11_startup.sh INSTALLATION SCREENSHOT
set -u

installation=$1
screenshot=$2
work=$(mktemp -d)
vorplan_pid=
cleanup() {
    [[ -n "$vorplan_pid" ]] && kill "$vorplan_pid" 2>/dev/null
    stop_our_kalendo
    rm -rf "$work"
}
# Only the kalendo this test started, found by its folder.
stop_our_kalendo() {
    local pid
    for pid in $(pgrep -x kalendo 2>/dev/null); do
        [[ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" == "$work/vorlane" ]] && kill "$pid" 2>/dev/null
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -f "$hooks/messages.txt" ]] && { echo "message boxes:" >&2; cat "$hooks/messages.txt" >&2; }
    exit 1
}

clip_in() { printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1; }
clip_out() { xclip -selection clipboard -o 2>/dev/null; }
clip_is() { [[ "$(clip_out)" == "$1" ]]; }
gone() { ! kill -0 "$1" 2>/dev/null; }
exists() { [[ -e "$1" ]]; }
absent() { [[ ! -e "$1" ]]; }
marg() { grep -a -i '^MARG=' "$ini/VL_.INI" 2>/dev/null | head -1 | cut -d= -f2 | tr -d '\r'; }

wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

[[ -n "${DISPLAY:-}" ]] || fail "no X display (run under xvfb-run)"
cp -a "$installation" "$work/vorlane" || fail "cannot copy the installation"
rm -f "$work/vorlane/TRV.USU"
hooks="$work/hooks"
ini="$work/ini"
mkdir -p "$hooks" "$ini"
# A second run already: the introduction panel stays hidden, and MARG has a value to advance.
printf '[Varios]\r\nMARG=5\r\n' >"$ini/VL_.INI"

export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
cd "$work/vorlane" || fail "no installation copy"
VORLANE_KALENDO_PRESS_OK=1 VORLANE_VORPLAN_TEST_DIR="$hooks" VORLANE_INI_DIR="$ini" \
    QT_QPA_PLATFORM=xcb ./vorplan &
vorplan_pid=$!

wait_for 300 exists "$hooks/icons.txt" || fail "the icon bar did not show"
wait_for 50 exists TRV.USU || fail "no in-use marker TRV.USU"
marg_before=$(marg)

# The user copies a text once the icon bar shows (kalendo may still linger).
sleep 1
clip_in "a text of the user"
wait_for 50 clip_is "a text of the user" || fail "xclip did not take the clipboard"

# Repaints (unmap and map again) and activations must leave it alone.
window=$(xdotool search --pid "$vorplan_pid" --onlyvisible --name Vorlane 2>/dev/null | head -1)
for round in 1 2 3; do
    if [[ -n "$window" ]]; then
        xdotool windowunmap --sync "$window" 2>/dev/null
        xdotool windowmap --sync "$window" 2>/dev/null
        xdotool windowfocus "$window" 2>/dev/null
    fi
    touch "$hooks/activate"
    wait_for 30 absent "$hooks/activate" || fail "the activation hook was not served"
    sleep 0.5
    clip_is "a text of the user" || fail "the user's text was taken off the clipboard (round $round: '$(clip_out)')"
done

# The hover strip under the Visualiza icon, then the picture.
read -r _ x y < <(sed -n 4p "$hooks/icons.txt")
xdotool mousemove "$x" "$y"
sleep 0.2
xdotool mousemove "$((x + 1))" "$((y + 1))"
sleep 0.8
touch "$hooks/grab"
wait_for 30 exists "$hooks/main_window.png" || fail "no picture of the main window"
cp "$hooks/main_window.png" "$screenshot"

touch "$hooks/close"
wait_for 100 gone "$vorplan_pid" || fail "vorplan did not close"
wait "$vorplan_pid"
status=$?
vorplan_pid=
((status == 0)) || fail "vorplan ended with status $status"
grep -q '?' "$hooks/messages.txt" || fail "the closing question was not asked"
absent TRV.USU || fail "TRV.USU still there after a confirmed close"
marg_after=$(marg)
[[ -n "$marg_before" && -n "$marg_after" ]] || fail "MARG missing in VL_.INI"
((marg_after == marg_before + 1)) || fail "MARG went from $marg_before to $marg_after"
echo "icon bar shown, clipboard kept, closed with MARG $marg_before -> $marg_after"
