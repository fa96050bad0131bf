#pragma once
// Stepping through an 8-bit text a character at a time in an ANSI code page. In a
// double-byte code page (932, 936, 949, 950) the second byte of a character may be any
// byte from 0x40 up, a backslash (0x5C) or a bar (0x7C) among them; it is never a
// character of its own.
#include <windows.h>

// The character after the one at text, or text itself at the terminator. A lead byte
// followed by the terminator counts as one character.
const char* CharacterAfter(const char* text, UINT codePage);

// Whether the last character of text is a backslash; false for an empty or null text.
bool EndsInBackslash(const char* text, UINT codePage);
