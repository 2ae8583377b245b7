// Color Picker: a modal dialog that lets the user pick an RGB colour.
#pragma once

#include "tb/Types.h"

// Shows the prompt, the old and the new colour side by side, a hue and saturation disc
// with a brightness slider picked with the mouse, and red, green and blue fields (0 to
// 255). where is the dialog's global top-left corner; (-1, -1) places it where it suits
// the screen. True with the new colour in outColor for OK; false for Cancel, outColor
// then holding inColor. Keys as in any dialog: Return OK, Escape and Command-period Cancel.
Boolean GetColor(Point where, ConstStr255Param prompt, const RGBColor* inColor, RGBColor* outColor);
