# Helpers for live tests, sourced by a test script that run-under-xvfb.sh runs: start the
# program, wait for its window and its output lines, take screenshots, read pixels. Every
# wait is bounded; a failure prints what the program said and ends the test with status 1.

LIVE_WORK=${LIVE_WORK:-$(mktemp -d)}
LIVE_SHOTS=${LIVE_SHOTS:-$LIVE_WORK/shots}
LIVE_OUT="$LIVE_WORK/program.out"
LIVE_ERR="$LIVE_WORK/program.err"
LIVE_PID=""
LIVE_SEEN=0   # output lines already matched by live_expect_line
LIVE_LINE=""  # the line it matched last
mkdir -p "$LIVE_SHOTS"

live_dump() {
    echo "--- program output:" >&2
    cat "$LIVE_OUT" >&2 2>/dev/null
    echo "--- program errors:" >&2
    cat "$LIVE_ERR" >&2 2>/dev/null
}

live_fail() {
    echo "FAIL: $*" >&2
    live_dump
    [ -n "$LIVE_PID" ] && kill -9 "$LIVE_PID" 2>/dev/null
    exit 1
}

live_pass() { echo "ok: $*"; }

# live_launch PROGRAM [ARGS...]: starts it in the background, output to files.
live_launch() {
    : >"$LIVE_OUT"
    : >"$LIVE_ERR"
    LIVE_SEEN=0
    "$@" >"$LIVE_OUT" 2>"$LIVE_ERR" &
    LIVE_PID=$!
}

live_running() { kill -0 "$LIVE_PID" 2>/dev/null; }

# live_wait_window TITLE [SECONDS]: waits for a window with that exact name; sets LIVE_WID.
live_wait_window() {
    _deadline=$(($(date +%s) + ${2:-20}))
    while :; do
        LIVE_WID=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$LIVE_WID" ] && return 0
        live_running || live_fail "the program ended before its window \"$1\" appeared"
        [ "$(date +%s)" -ge "$_deadline" ] && live_fail "no window \"$1\" within ${2:-20} s"
        sleep 0.1
    done
}

# live_expect_line REGEX [SECONDS]: waits for an output line after the last one matched.
live_expect_line() {
    _deadline=$(($(date +%s) + ${2:-10}))
    while :; do
        _hit=$(tail -n +$((LIVE_SEEN + 1)) "$LIVE_OUT" | grep -n -E -m 1 -e "$1")
        if [ -n "$_hit" ]; then
            LIVE_SEEN=$((LIVE_SEEN + ${_hit%%:*}))
            LIVE_LINE=${_hit#*:}
            return 0
        fi
        if ! live_running; then
            # The last lines may have come just before the end.
            _hit=$(tail -n +$((LIVE_SEEN + 1)) "$LIVE_OUT" | grep -n -E -m 1 -e "$1")
            if [ -n "$_hit" ]; then
                LIVE_SEEN=$((LIVE_SEEN + ${_hit%%:*}))
                LIVE_LINE=${_hit#*:}
                return 0
            fi
            live_fail "the program ended without printing /$1/"
        fi
        [ "$(date +%s)" -ge "$_deadline" ] && live_fail "no line /$1/ within ${2:-10} s (after line $LIVE_SEEN)"
        sleep 0.05
    done
}

# live_field NAME: the four numbers after NAME in LIVE_LINE ("content 1 2 3 4").
live_field() {
    echo "$LIVE_LINE" | sed -n "s/.* $1 \(-\{0,1\}[0-9]*\) \(-\{0,1\}[0-9]*\) \(-\{0,1\}[0-9]*\) \(-\{0,1\}[0-9]*\).*/\1 \2 \3 \4/p"
}

# live_shot NAME: a screenshot of the whole display as $LIVE_SHOTS/NAME.png; later
# live_pixel calls read it.
live_shot() {
    LIVE_SHOT="$LIVE_SHOTS/$1.png"
    timeout 20 import -window root "$LIVE_SHOT" || live_fail "screenshot $1 failed"
    LIVE_SHOT_W=$(timeout 20 identify -format '%w' "$LIVE_SHOT") || live_fail "cannot read $LIVE_SHOT"
    timeout 20 convert "$LIVE_SHOT" -depth 8 "rgb:$LIVE_WORK/shot.rgb" || live_fail "cannot convert $LIVE_SHOT"
}

# live_pixel X Y: "R G B" of the last screenshot.
live_pixel() {
    od -An -tu1 -j $((($2 * LIVE_SHOT_W + $1) * 3)) -N 3 "$LIVE_WORK/shot.rgb" | awk '{print $1, $2, $3}'
}

# live_expect_pixel X Y R G B TOLERANCE WHAT
live_expect_pixel() {
    _got=$(live_pixel "$1" "$2")
    set -- "$1" "$2" "$3" "$4" "$5" "$6" "$7" $_got
    _ok=$(awk -v r="$3" -v g="$4" -v b="$5" -v t="$6" -v R="$8" -v G="$9" -v B="${10}" 'BEGIN {
        d = r - R; if (d < 0) d = -d; e = g - G; if (e < 0) e = -e; f = b - B; if (f < 0) f = -f;
        print (d <= t && e <= t && f <= t) ? 1 : 0 }')
    [ "$_ok" = 1 ] || live_fail "$7: pixel ($1,$2) is ($8 $9 ${10}), expected ($3 $4 $5) +-$6 in $LIVE_SHOT"
}

# live_wait_exit [SECONDS]: waits for the program to end; sets LIVE_STATUS.
live_wait_exit() {
    _deadline=$(($(date +%s) + ${1:-10}))
    while live_running; do
        if [ "$(date +%s)" -ge "$_deadline" ]; then
            live_fail "the program did not end within ${1:-10} s"
        fi
        sleep 0.05
    done
    wait "$LIVE_PID"
    LIVE_STATUS=$?
    LIVE_PID=""
}
