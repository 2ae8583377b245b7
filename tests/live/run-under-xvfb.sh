#!/bin/sh
# Runs a command inside a private X server (Xvfb) and returns its status.
#
#   run-under-xvfb.sh [--screen WxH] [--timeout SECONDS] COMMAND [ARGS...]
#
# The command sees DISPLAY set to the new server and LIVE_LIB naming live-lib.sh, the
# helpers for driving a program (xdotool), taking screenshots and reading pixels. The
# server is killed however the command ends; the command is killed after the timeout.
# Exit status 77 means skipped: Xvfb, xdotool or ImageMagick is not installed.

set -u

screen=1280x1024
limit=120
while [ $# -gt 0 ]; do
    case "$1" in
    --screen) screen="$2"; shift 2 ;;
    --timeout) limit="$2"; shift 2 ;;
    --) shift; break ;;
    -*) echo "run-under-xvfb: unknown option $1" >&2; exit 2 ;;
    *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    echo "usage: run-under-xvfb.sh [--screen WxH] [--timeout SECONDS] COMMAND [ARGS...]" >&2
    exit 2
fi

missing=""
for tool in Xvfb xdotool setxkbmap import convert identify timeout; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    echo "live test skipped: not installed:$missing (Debian: xvfb xdotool x11-xkb-utils imagemagick)"
    exit 77
fi

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/live.XXXXXX") || exit 2
xvfb_pid=""

cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        # Bounded: Xvfb ends at once on TERM, but never wait for it forever.
        i=0
        while kill -0 "$xvfb_pid" 2>/dev/null && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
        kill -9 "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# Xvfb picks a free display itself and writes its number to the descriptor given.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
i=0
while [ ! -s "$work/display" ] && [ $i -lt 100 ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
    i=$((i + 1))
done
number=$(tr -dc '0-9' <"$work/display")
if [ -z "$number" ]; then
    echo "run-under-xvfb: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 2
fi
export DISPLAY=":$number"

# The server answers once it is ready for clients.
i=0
until xdotool getmouselocation >/dev/null 2>&1; do
    i=$((i + 1))
    if [ $i -ge 50 ]; then echo "run-under-xvfb: display $DISPLAY does not answer" >&2; exit 2; fi
    sleep 0.1
done

export LIVE_LIB="$here/live-lib.sh"
export LIVE_WORK="$work"
timeout -k 5 "$limit" "$@"
status=$?
if [ $status -eq 124 ]; then echo "run-under-xvfb: $1 did not finish within $limit seconds" >&2; fi
exit $status
