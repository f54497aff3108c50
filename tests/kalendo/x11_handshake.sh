#!/usr/bin/env bash
# The start-up hand-shake over the real X11 clipboard, as vorplan drives it:
# command on the clipboard, kalendo started, Ok pressed, "VL#OK" read while
# kalendo lingers, "INICIA" put back, kalendo gone with status 0.
# Usage (under xvfb-run): x11_handshake.sh KALENDO SPLASH_PICTURE
set -u

kalendo=$1
picture=$2
work=$(mktemp -d)
kalendo_pid=
cleanup() {
    [[ -n "$kalendo_pid" ]] && kill "$kalendo_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

clip_in() { printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1; }
clip_out() { xclip -selection clipboard -o 2>/dev/null; }
clip_is() { [[ "$(clip_out)" == "$1" ]]; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# Runs the rest of the line every tenth of a second until it succeeds, $1 times at most.
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
cp "$picture" "$work/vl_2002.jpg"
cd "$work" || fail "no work folder"

clip_in "VA2001-ENT#2.18#2#1#0#"
wait_for 50 clip_is "VA2001-ENT#2.18#2#1#0#" || fail "xclip did not take the clipboard"

# libxkbcommon-x11 strndup()s atom names that carry no NUL, which is legal
# but trips AddressSanitizer's strict string checks in a sanitizer build.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
VORLANE_KALENDO_PRESS_OK=1 QT_QPA_PLATFORM=xcb "$kalendo" &
kalendo_pid=$!

wait_for 150 clip_is "VL#OK" || fail "no VL#OK on the clipboard (read: '$(clip_out)')"
# The reply lives in kalendo's process: it must still be there.
sleep 0.5
gone "$kalendo_pid" && fail "kalendo ended before its reply was taken"
clip_is "VL#OK" || fail "the reply did not stay on the clipboard"

clip_in "INICIA"
start=$SECONDS
wait_for 100 gone "$kalendo_pid" || fail "kalendo still runs 10 s after INICIA"
wait "$kalendo_pid"
status=$?
kalendo_pid=
(( status == 0 )) || fail "kalendo ended with status $status"
echo "kalendo ended $((SECONDS - start)) s after INICIA with status 0"
