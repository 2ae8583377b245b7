// The output console: the one scrolling text window the program prints its lines to.
#pragma once

#include "Toolbox.h"

extern WindowRef output;
extern TEHandle hTE;
extern ControlRef vScroll;
extern ControlActionUPP scrollProcUPP;
extern short lines;

void createOutput();
// Appends one printf-formatted line; a line is cut at 255 characters.
void printToText(const char* format, ...) __attribute__((format(printf, 1, 2)));
void checkTextFull(short count);
void eraseOutput();
void setVScrollMax();
void adjustScroll();
void setView(WindowRef window);
void reSizeText();
void doScroll(EventRecord event);
void scrollProc(ControlRef control, short part);
void activateOutput(unsigned char active);
void upDateText();
