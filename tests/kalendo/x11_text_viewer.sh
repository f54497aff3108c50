#!/usr/bin/env bash
# kalendo on the real X11 clipboard with vorplan's help command for a text:
# the text viewer shows the text and its heading list. Leaves a picture of
# the window in SCREENSHOT. LANGUAGE (default 2) is the language the command
# names.
# Usage (under xvfb-run): x11_text_viewer.sh KALENDO HELP_TEXT SCREENSHOT [LANGUAGE]
set -u

kalendo=$1
text=$2
screenshot=$3
language=${4:-2}
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
exists() { [[ -s "$1" ]]; }

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
[[ -s "$text" ]] || fail "no text $text"
mkdir -p "$work/HLP"
cp "$text" "$work/HLP/help_en.rtf"
cd "$work" || fail "no work folder"

command="VA2001-TXT#2.18#${language}#1#0#HLP/help_en.rtf"
clip_in "$command"
wait_for 50 clip_is "$command" || fail "xclip did not take the clipboard"

export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
VORLANE_KALENDO_GRAB="$work/viewer.png" QT_QPA_PLATFORM=xcb "$kalendo" &
kalendo_pid=$!

wait_for 150 exists "$work/viewer.png" || fail "the text viewer did not show"
cp "$work/viewer.png" "$screenshot"
kill -0 "$kalendo_pid" 2>/dev/null || fail "kalendo ended on a text command"
echo "text viewer shown"
