#include "agl/AGLState.h"

#include "Fonts/FontEngine.h"

#include <GL/gl.h>

#include <vector>

namespace {

// A glyph as glBitmap takes it: one bit a pixel, most significant bit first,
// rows bottom-up, each row whole bytes. Half coverage or more is ink.
std::vector<GLubyte> bitmapOf(const tb::fonts::Glyph& g) {
    const int rowBytes = (g.width + 7) / 8;
    std::vector<GLubyte> bits(std::size_t(rowBytes) * g.height + 1, 0); // never empty
    for (int y = 0; y < g.height; ++y) {
        GLubyte* row = bits.data() + std::size_t(g.height - 1 - y) * rowBytes;
        for (int x = 0; x < g.width; ++x)
            if (g.coverage[std::size_t(y) * g.width + x] >= 128) row[x / 8] |= GLubyte(0x80 >> (x % 8));
    }
    return bits;
}

} // namespace

GLboolean aglUseFont(AGLContext ctx, GLint fontID, Style face, GLint size, GLint first, GLint count,
                     GLint base) {
    using namespace tb::agl;
    if (!isLive(ctx)) {
        setError(AGL_BAD_CONTEXT);
        return GL_FALSE;
    }
    // Character codes are MacRoman bytes; list names start at 1.
    if (first < 0 || count < 0 || first + count > 256 || base <= 0 || size < 0 || size > 0x7FFF) {
        setError(AGL_BAD_VALUE);
        return GL_FALSE;
    }
    CurrentFor scope(ctx);
    if (!scope.ok()) {
        setError(AGL_BAD_CONTEXT);
        return GL_FALSE;
    }
    const short fontNum = fontID < -32768 || fontID > 32767 ? short(0) : static_cast<short>(fontID);

    // Errors left by earlier drawing must not be taken for ours.
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (GLint i = 0; i < count; ++i) {
        const auto code = static_cast<unsigned char>(first + i);
        const tb::fonts::Glyph& g = tb::fonts::glyph(fontNum, static_cast<short>(size), face, code);
        const std::vector<GLubyte> bits = bitmapOf(g);
        // The bitmap's lower left corner sits left of the pen by -left and below
        // the baseline by its height minus top; a glyph with no pixels still advances.
        glNewList(static_cast<GLuint>(base + i), GL_COMPILE);
        glBitmap(g.width, g.height, static_cast<GLfloat>(-g.left), static_cast<GLfloat>(g.height - g.top),
                 static_cast<GLfloat>(g.advance), 0.0f, bits.data());
        glEndList();
    }
    glPopClientAttrib();
    if (glGetError() != GL_NO_ERROR) {
        setError(AGL_BAD_STATE);
        return GL_FALSE;
    }
    return GL_TRUE;
}
