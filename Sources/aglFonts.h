// The plots' two bitmap fonts, Monaco and Symbol at 12 points, as GL display lists.
#pragma once

#include "Toolbox.h"

enum : int { kMonacoFont = 0, kSymbolFont = 1 };

void createFonts();
GLuint buildFontGL(AGLContext ctx, long fontID, unsigned char face, long size);
void deleteFonts();
void drawCharacter(char ch, int font);
void drawPStringGL(const unsigned char* s, int font);
void drawCStringGL(const char* s, int font);
