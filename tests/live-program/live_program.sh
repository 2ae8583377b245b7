#!/bin/sh
# The real program in a real window under Xvfb: keys from xdotool, a screenshot checked,
# then Ctrl+Q must end it with status 0. Every wait is bounded.
set -u
program="$1"
shots="${2:-/tmp}"
for tool in Xvfb xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

display=""
for n in 91 92 93 94 95 96 97 98 99; do
    if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT INT TERM
export DISPLAY="$display"
i=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -gt 100 ] && { echo "Xvfb did not start"; exit 1; }
    sleep 0.1
done

LIBGL_ALWAYS_SOFTWARE=1 ILVARON_WINDOW=1280x1024 "$program" >"$shots/live-program.out" 2>&1 &
app=$!

# The window, then the end of the splash: the console's help appears.
win=""
i=0
while [ -z "$win" ]; do
    win=$(xdotool search --name '^Ilvaron$' 2>/dev/null | head -n 1)
    i=$((i + 1)); [ $i -gt 200 ] && { echo "no Ilvaron window appeared"; exit 1; }
    kill -0 "$app" 2>/dev/null || { echo "ilvaron ended early"; cat "$shots/live-program.out"; exit 1; }
    sleep 0.1
done
sleep 4
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || xdotool windowfocus "$win" >/dev/null 2>&1
xdotool mousemove 480 500
xdotool key --window "$win" Up
sleep 1
xdotool key --window "$win" space
sleep 1
shot="$shots/live-program.png"
import -window root "$shot"

# Pixels near a colour in a region: the plot (2,64)-(952,1014) and the console beside it.
near() { # geometry colour
    convert "$shot" -crop "$1" +repage -fuzz 25% -fill black +opaque "$2" -fill white -opaque "$2" \
        -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null
}
dark() { # geometry
    convert "$shot" -crop "$1" +repage -fuzz 25% -fill white +opaque black -negate \
        -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null
}
red=$(near 950x950+2+64 '#ff0000')
ink=$(dark 320x900+958+70)
echo "red pixels in the plot: $red, dark pixels in the console: $ink"
status=0
[ "${red:-0}" -gt 200 ] || { echo "the plot shows no red graph"; status=1; }
[ "${ink:-0}" -gt 200 ] || { echo "the console shows no text"; status=1; }

# Pull the Map menu down with the mouse and look at it while it is held open.
xdotool mousemove 164 10 mousedown 1
sleep 1
menu="$shots/live-program-menu.png"
import -window root "$menu"
xdotool mousemove 640 900 mouseup 1
sleep 1
white=$(convert "$menu" -crop 140x14+150+25 +repage -fuzz 10% -fill black +opaque white \
    -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null)
text=$(convert "$menu" -crop 140x120+150+25 +repage -fuzz 25% -fill white +opaque black -negate \
    -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null)
echo "the pulled-down menu: $white white and $text dark pixels"
[ "${white:-0}" -gt 1200 ] || { echo "no menu was pulled down"; status=1; }
[ "${text:-0}" -gt 100 ] || { echo "the menu shows no items"; status=1; }

xdotool key --window "$win" ctrl+q 2>/dev/null
i=0
while kill -0 "$app" 2>/dev/null; do
    i=$((i + 1)); [ $i -gt 100 ] && { echo "Ctrl+Q did not end ilvaron"; exit 1; }
    sleep 0.1
done
wait "$app"
rc=$?
app=""
[ "$rc" -eq 0 ] || { echo "ilvaron ended with status $rc"; status=1; }
exit $status
