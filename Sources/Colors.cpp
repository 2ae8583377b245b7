#include "Colors.h"

#include "Console.h"

#include <cstring>

const float glBLACK[3] = {0, 0, 0};
const float glGREEN[3] = {0, 1, 0};
const float glYELLOW[3] = {1, 1, 0};
const float glRED[3] = {1, 0, 0};
const RGBColor WHITE = {65535, 65535, 65535};
const RGBColor BLACK = {0, 0, 0};

namespace {
UInt16 component(float v) {
    // Values outside 0..1 are clamped rather than wrapped around 16 bits.
    if (!(v > 0)) return 0;
    if (v >= 1) return 65535;
    return static_cast<UInt16>(v * 65535.0);
}
} // namespace

void convertToRGBColor(const float* gl, RGBColor& rgb) {
    rgb.red = component(gl[0]);
    rgb.green = component(gl[1]);
    rgb.blue = component(gl[2]);
}

void convertToglColor(RGBColor rgb, float* gl) {
    gl[0] = static_cast<float>(rgb.red / 65535.0);
    gl[1] = static_cast<float>(rgb.green / 65535.0);
    gl[2] = static_cast<float>(rgb.blue / 65535.0);
}

void chooseAColor(float* gl) {
    Point where;
    where.v = -1;
    where.h = -1;
    RGBColor inColor, outColor;
    convertToRGBColor(gl, inColor);
    GrafPtr saved;
    GetPort(&saved);
    static const unsigned char prompt[] = "\x0E" "Choose a Color";
    if (!GetColor(where, prompt, &inColor, &outColor)) outColor = inColor;
    SetPort(saved);
    convertToglColor(outColor, gl);
}

void isglError() {
    GLenum e = aglGetError();
    if (e != 0) printToText("GL error = %d", static_cast<int>(e));
}

void display() { glFlush(); }
