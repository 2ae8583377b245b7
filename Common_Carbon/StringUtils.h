// Small Pascal-string and C-string routines shared by the utilities and the program.
#pragma once

// Copies the first Pascal string, length byte included, over the second.
void pStrCopy(const unsigned char* source, unsigned char* dest);
unsigned char pStrLength(const unsigned char* s);
// Appends the first Pascal string's characters to the second; the sum is kept within 255.
void pStrAppend(const unsigned char* source, unsigned char* dest);
long cStrLength(const char* s);
void cStrCopy(const char* source, char* dest);
int isDigit(char c);
