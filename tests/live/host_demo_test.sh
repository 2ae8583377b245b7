#!/bin/sh
# The SDL2 host in a real X server: input sent with xdotool must reach the toolbox as the
# classic events (characters, key codes, modifiers, global coordinates, the live key map),
# and the screen the toolbox composes must show at the right pixels, also after a drag, a
# close box, a resize and on a scaled screen.
#   run-under-xvfb.sh --screen 1280x1024 sh host_demo_test.sh path/to/host_demo

set -u
. "$LIVE_LIB"
demo=$1
export LIBGL_ALWAYS_SOFTWARE=1

desktop="90 110 140"
blue="32 64 224"
yellow="255 224 0"
white="255 255 255"
red="255 0 0"
black="0 0 0"

# --- One screen pixel per window pixel, the window filling the display.
export ILVARON_WINDOW=1280x1024+0+0
live_launch "$demo"
live_wait_window "Host demo"
live_expect_line '^window: "GL"'
set -- $(live_field content); gl_l=$1 gl_t=$2 gl_r=$3 gl_b=$4
set -- $(live_field structure); gls_l=$1
set -- $(live_field title); glt_l=$1 glt_t=$2
live_expect_line '^window: "Plain"'
set -- $(live_field content); pl_l=$1 pl_t=$2 pl_r=$3 pl_b=$4
set -- $(live_field close); plc_l=$1 plc_t=$2 plc_r=$3 plc_b=$4
live_expect_line '^screen: 1280 1024$'
live_expect_line '^ready$' 30

live_shot start
live_expect_pixel 640 5 $white 0 "menu bar"
live_expect_pixel 640 21 $black 0 "menu bar's lower edge"
live_expect_pixel 640 22 $desktop 0 "desktop under the menu bar"
live_expect_pixel 1200 1000 $desktop 0 "desktop"
live_expect_pixel $((pl_l + 200)) $((pl_t + 200)) $blue 0 "plain window's content"
live_expect_pixel $((pl_l + 20)) $((pl_t + 20)) $yellow 0 "mark at the content's (20,20)"
live_expect_pixel $((pl_l + 19)) $((pl_t + 19)) $blue 0 "just outside the mark"
mid_y=$((gl_t + (gl_b - gl_t) / 2))
live_expect_pixel $(((gl_l + gl_r) / 2)) $mid_y $red 40 "GL line"
live_expect_pixel $(((gl_l + gl_r) / 2)) $((mid_y - 10)) $white 0 "GL background above the line"
live_expect_pixel $((gl_l + 10)) $mid_y $white 0 "GL background before the line starts"
live_expect_pixel $gls_l $((gl_t + 50)) $black 40 "front window's frame"
live_expect_pixel $((gls_l - 1)) $((gl_t + 50)) $desktop 0 "desktop beside the frame"
live_pass "first screen"

# Keys go to the window under the pointer (there is no window manager).
xdotool mousemove $((pl_l + 200)) $((pl_t + 200))
# name, character, key code, modifiers (0x80 is the button-up bit)
while read -r name char code mods; do
    xdotool key "$name"
    live_expect_line "^key: down char=$char code=$code mods=$mods\$"
done <<'EOF'
a 97 0 0x0080
shift+a 65 0 0x0280
ctrl+a 97 0 0x0180
super+a 97 0 0x0180
alt+a 97 0 0x0880
ctrl+shift+z 90 6 0x0380
shift+1 33 18 0x0280
space 32 49 0x0080
period 46 47 0x0080
ctrl+period 46 47 0x0180
Return 13 36 0x0080
KP_Enter 3 76 0x0080
Escape 27 53 0x0080
Tab 9 48 0x0080
BackSpace 8 51 0x0080
Delete 127 117 0x0080
Left 28 123 0x0080
Right 29 124 0x0080
Up 30 126 0x0080
Down 31 125 0x0080
EOF
xdotool key x
live_expect_line '^key: down char=120 code=7 mods=0x0080$'
live_expect_line '^key: up char=120 code=7 '
# A key held past the server's repeat delay repeats as autoKey events.
xdotool keydown r
live_expect_line '^key: down char=114 code=15 mods=0x0080$'
live_expect_line '^key: auto char=114 code=15 mods=0x0080$' 5
xdotool keyup r
live_expect_line '^key: up char=114 code=15 '
# A character beyond ASCII arrives as its MacRoman code (micro sign 0xB5), from the
# layout's text: AltGr-m on the US international layout. (xdotool type would remap a key
# for an instant, which a slow client can miss.)
setxkbmap -layout us -variant intl || live_fail "setxkbmap cannot load the US international layout"
sleep 0.3
xdotool key mu
live_expect_line '^key: down char=181 code=46 '
setxkbmap -layout us
sleep 0.3
live_pass "keys"

# Command-period held, as long computations poll it.
xdotool keydown ctrl period
live_expect_line '^keymap: 47 55$'
xdotool keyup period ctrl
live_expect_line '^keymap:$'
live_pass "key map"

x=$((pl_l + 150)) y=$((pl_t + 120))
xdotool mousemove $x $y click 1
live_expect_line "^mouse-down: $x $y mods=0x0000 part=3 window=\"Plain\"\$"
live_expect_line "^mouse-up: $x $y mods=0x0080\$"
xdotool keydown ctrl click 1 keyup ctrl
live_expect_line "^mouse-down: $x $y mods=0x0100 part=3 window=\"Plain\"\$"
xdotool mousemove 1100 900 click 1
live_expect_line '^mouse-down: 1100 900 mods=0x0000 part=0 window=""$'
live_pass "clicks"

xdotool mousemove $((pl_l + 200)) $((pl_t + 200))
xdotool key ctrl+c
live_expect_line '^clipboard-set$'
xdotool key ctrl+v
live_expect_line '^clipboard: Ilvaron µ\\nline 2$'
live_pass "clipboard"

# The cursor over the GL window: the crosshair, a colour cursor with Option held (the
# screenshot does not show cursors; this runs the host's cursor paths, also under the
# sanitizers).
xdotool mousemove $(((gl_l + gl_r) / 2)) $((gl_t + 40)) keydown alt
sleep 0.2
xdotool mousemove $(((gl_l + gl_r) / 2 + 5)) $((gl_t + 45)) keyup alt
live_expect_line '^keymap: 58$'
live_expect_line '^keymap:$'

# Drag the GL window by its title bar, in steps as a hand would.
dx=-300 dy=250
sx=$((glt_l + 60)) sy=$((glt_t + 10))
xdotool mousemove $sx $sy mousedown 1
i=1
while [ $i -le 10 ]; do
    xdotool mousemove $((sx + dx * i / 10)) $((sy + dy * i / 10))
    sleep 0.03
    i=$((i + 1))
done
xdotool mouseup 1
live_expect_line "^mouse-down: $sx $sy mods=0x0000 part=4 window=\"GL\""
live_expect_line '^window: "GL"'
set -- $(live_field content)
[ "$1 $2 $3 $4" = "$((gl_l + dx)) $((gl_t + dy)) $((gl_r + dx)) $((gl_b + dy))" ] ||
    live_fail "GL window dragged to $1 $2 $3 $4, expected it moved by $dx $dy from $gl_l $gl_t $gl_r $gl_b"
old_mid_x=$(((gl_l + gl_r) / 2)) old_mid_y=$mid_y
gl_l=$1 gl_t=$2 gl_r=$3 gl_b=$4
mid_y=$((gl_t + (gl_b - gl_t) / 2))
sleep 0.3
live_shot dragged
live_expect_pixel $(((gl_l + gl_r) / 2)) $mid_y $red 40 "GL line after the drag"
live_expect_pixel $(((gl_l + gl_r) / 2)) $((mid_y + 10)) $white 0 "GL background after the drag"
live_expect_pixel $old_mid_x $old_mid_y $desktop 0 "where the GL line was"
live_pass "drag"

xdotool mousemove $(((plc_l + plc_r) / 2)) $(((plc_t + plc_b) / 2)) click 1
live_expect_line '^closed: "Plain"$'
sleep 0.3
live_shot closed
live_expect_pixel $((pl_l + 20)) $((pl_t + 20)) $desktop 0 "where the closed window's mark was"
live_expect_pixel $((pl_l + 200)) $((pl_t + 60)) $desktop 0 "where the closed window was"
live_pass "close box"

# The screen follows the window's size.
xdotool windowsize "$LIVE_WID" 1000 800
live_expect_line '^screen: 1000 800$'
sleep 0.5
live_shot resized
live_expect_pixel 990 790 $desktop 0 "desktop at the new bottom right"
live_expect_pixel 990 5 $white 0 "menu bar across the new width"
live_expect_pixel 1100 5 $black 0 "the display outside the window"
live_pass "resize"

xdotool mousemove 500 400 key ctrl+q
live_expect_line '^quit: command-q$'
live_wait_exit 15
[ "$LIVE_STATUS" = 0 ] || live_fail "exit status $LIVE_STATUS after Command-Q"
live_pass "Command-Q ends with status 0"

# --- The window manager's close (SDL's quit request, here by SIGTERM) is the Quit event.
live_launch "$demo"
live_wait_window "Host demo"
live_expect_line '^ready$' 30
kill -TERM "$LIVE_PID"
live_expect_line '^quit: event$'
live_wait_exit 15
[ "$LIVE_STATUS" = 0 ] || live_fail "exit status $LIVE_STATUS after the quit request"
live_pass "quit request"

# --- Every toolbox pixel as two by two.
export ILVARON_SCALE=2
live_launch "$demo"
unset ILVARON_SCALE
live_wait_window "Host demo"
live_expect_line '^window: "Plain"'
set -- $(live_field content); pl_l=$1 pl_t=$2
live_expect_line '^screen: 640 512$'
live_expect_line '^ready$' 30
live_shot scaled
live_expect_pixel $((2 * (pl_l + 20))) $((2 * (pl_t + 20))) $yellow 0 "mark's first pixel, scaled"
live_expect_pixel $((2 * (pl_l + 20) - 1)) $((2 * (pl_t + 20) - 1)) $blue 0 "just outside the mark, scaled"
live_expect_pixel 1279 43 $black 0 "menu bar's lower edge, scaled"
live_expect_pixel 1279 44 $desktop 0 "desktop under the menu bar, scaled"
xdotool mousemove 401 603 click 1
live_expect_line '^mouse-down: 200 301 '
xdotool key ctrl+q
live_expect_line '^quit: command-q$'
live_wait_exit 15
[ "$LIVE_STATUS" = 0 ] || live_fail "exit status $LIVE_STATUS on the scaled screen"
live_pass "scaled screen"
