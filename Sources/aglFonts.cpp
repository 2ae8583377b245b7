#include "aglFonts.h"

namespace {
// One table serves every context: each fresh context builds its fonts first, so the
// bases come out the same in all of them.
GLuint gFont[2] = {0, 0};

GLuint base(int font) { return (font == kSymbolFont) ? gFont[1] : gFont[0]; }
} // namespace

void createFonts() {
    AGLContext ctx = aglGetCurrentContext();
    static const unsigned char monaco[] = "\x06Monaco";
    static const unsigned char symbol[] = "\x06Symbol";
    short number = 0;
    GetFNum(monaco, &number);
    gFont[0] = buildFontGL(ctx, number, 0, 12);
    GetFNum(symbol, &number);
    gFont[1] = buildFontGL(ctx, number, 0, 12);
}

GLuint buildFontGL(AGLContext ctx, long fontID, unsigned char face, long size) {
    GLuint listBase = glGenLists(256);
    GLboolean ok = aglUseFont(ctx, static_cast<GLint>(fontID), face, static_cast<GLint>(size), 0,
                              256, static_cast<GLint>(listBase));
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (ok) return listBase;
    glDeleteLists(listBase, 256);
    return 0;
}

void deleteFonts() {
    if (gFont[0]) glDeleteLists(gFont[0], 256);
    if (gFont[1]) glDeleteLists(gFont[1], 256);
}

void drawCharacter(char ch, int font) {
    GLuint b = base(font);
    if (b) glCallList(b + static_cast<unsigned char>(ch));
}

void drawPStringGL(const unsigned char* s, int font) {
    GLuint b = base(font);
    if (!b || !s) return;
    for (int i = 1; i <= s[0]; ++i) glCallList(b + s[i]);
}

void drawCStringGL(const char* s, int font) {
    GLuint b = base(font);
    if (!b || !s) return;
    for (; *s; ++s) glCallList(b + static_cast<unsigned char>(*s));
}
