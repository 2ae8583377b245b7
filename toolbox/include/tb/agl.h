// AGL: OpenGL contexts bound to window ports, and bitmap fonts from toolbox fonts.
#pragma once

#include "tb/Types.h"

#include <GL/gl.h>

struct OpaqueAGLPixelFormat;
struct OpaqueAGLContext;

typedef OpaqueAGLPixelFormat* AGLPixelFormat;
typedef OpaqueAGLContext* AGLContext;
typedef CGrafPtr AGLDrawable;
// The style bits of TextFace (bold 1, italic 2, ...); QuickDraw declares the same type.
typedef unsigned char Style;

// Pixel format attributes. Those marked "value" are followed by a number in the list.
enum : GLint {
    AGL_NONE = 0,
    AGL_ALL_RENDERERS = 1,
    AGL_BUFFER_SIZE = 2, // value
    AGL_LEVEL = 3,       // value
    AGL_RGBA = 4,
    AGL_DOUBLEBUFFER = 5,
    AGL_STEREO = 6,
    AGL_AUX_BUFFERS = 7,      // value
    AGL_RED_SIZE = 8,         // value
    AGL_GREEN_SIZE = 9,       // value
    AGL_BLUE_SIZE = 10,       // value
    AGL_ALPHA_SIZE = 11,      // value
    AGL_DEPTH_SIZE = 12,      // value
    AGL_STENCIL_SIZE = 13,    // value
    AGL_ACCUM_RED_SIZE = 14,  // value
    AGL_ACCUM_GREEN_SIZE = 15, // value
    AGL_ACCUM_BLUE_SIZE = 16, // value
    AGL_ACCUM_ALPHA_SIZE = 17, // value
    AGL_PIXEL_SIZE = 50,      // value
    AGL_MINIMUM_POLICY = 51,
    AGL_MAXIMUM_POLICY = 52,
    AGL_OFFSCREEN = 53,
    AGL_FULLSCREEN = 54,
    AGL_SAMPLE_BUFFERS_ARB = 55, // value
    AGL_SAMPLES_ARB = 56,        // value
    AGL_RENDERER_ID = 70,        // value
    AGL_SINGLE_RENDERER = 71,
    AGL_NO_RECOVERY = 72,
    AGL_ACCELERATED = 73,
    AGL_CLOSEST_POLICY = 74,
    AGL_ROBUST = 75,
    AGL_BACKING_STORE = 76,
    AGL_MP_SAFE = 78,
    AGL_WINDOW = 80,
    AGL_MULTISCREEN = 81,
    AGL_COMPLIANT = 83,
};

// Error codes of aglGetError.
enum : GLenum {
    AGL_NO_ERROR = 0,
    AGL_BAD_ATTRIBUTE = 10000,
    AGL_BAD_PROPERTY = 10001,
    AGL_BAD_PIXELFMT = 10002,
    AGL_BAD_RENDINFO = 10003,
    AGL_BAD_CONTEXT = 10004,
    AGL_BAD_DRAWABLE = 10005,
    AGL_BAD_GDEV = 10006,
    AGL_BAD_STATE = 10007,
    AGL_BAD_VALUE = 10008,
    AGL_BAD_MATCH = 10009,
    AGL_BAD_ENUM = 10010,
    AGL_BAD_OFFSCREEN = 10011,
    AGL_BAD_FULLSCREEN = 10012,
    AGL_BAD_WINDOW = 10013,
    AGL_BAD_POINTER = 10014,
    AGL_BAD_MODULE = 10015,
    AGL_BAD_ALLOC = 10016,
    AGL_BAD_CONNECTION = 10017,
};

// A format for all devices when gdevs is null; attribs ends with AGL_NONE.
AGLPixelFormat aglChoosePixelFormat(const void* gdevs, GLint ndev, const GLint* attribs);
void aglDestroyPixelFormat(AGLPixelFormat pix);

// Contexts share nothing: share must be null.
AGLContext aglCreateContext(AGLPixelFormat pix, AGLContext share);
GLboolean aglDestroyContext(AGLContext ctx);

// Binds the context to a port (null detaches); the framebuffer is the port's size.
GLboolean aglSetDrawable(AGLContext ctx, AGLDrawable draw);
AGLDrawable aglGetDrawable(AGLContext ctx);
GLboolean aglSetCurrentContext(AGLContext ctx);
AGLContext aglGetCurrentContext(void);
// After the port moved or changed size: the framebuffer follows the port's size.
GLboolean aglUpdateContext(AGLContext ctx);
// Single-buffered contexts draw straight into the port; this only flushes.
void aglSwapBuffers(AGLContext ctx);

// Display lists base .. base+count-1 draw the glyphs of character codes
// first .. first+count-1 with glBitmap, advancing the raster position.
GLboolean aglUseFont(AGLContext ctx, GLint fontID, Style face, GLint size, GLint first, GLint count,
                     GLint base);

// The last error, cleared by reading it.
GLenum aglGetError(void);
const GLubyte* aglErrorString(GLenum code);
