// The plots' fixed colours, colour conversions, the colour picker round trip, and the
// small GL services every drawing ends with.
#pragma once

#include "Toolbox.h"

extern const float glBLACK[3];
extern const float glGREEN[3];
extern const float glYELLOW[3];
extern const float glRED[3];
extern const RGBColor WHITE;
extern const RGBColor BLACK;

void convertToRGBColor(const float* gl, RGBColor& rgb);
void convertToglColor(RGBColor rgb, float* gl);
// Lets the user pick a colour starting from gl; Cancel leaves it (through 16 bits).
void chooseAColor(float* gl);
// Prints a pending GL context error to the console.
void isglError();
void display();
