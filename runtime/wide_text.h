#pragma once
// Names and paths that Windows NT keeps in UTF-16, taken into the process's ANSI code page
// only where that page holds every character exactly. The ANSI functions would hand back
// "?" or a look-alike for a character the page lacks (C:\Users\Jurgen for Jürgen), and a
// look-alike path may be another user's folder.
#include <stdint.h>

// True where the system's W functions do the work (Windows NT and later); on 98 and ME the
// ANSI functions are the only ones.
bool WideFunctionsWork();

// Writes text in the process's ANSI code page into buffer (size bytes, terminator
// included) and returns 1. Returns 0 with the empty text in buffer when a character has no
// exact counterpart in the page or the result does not fit.
int32_t WideToAnsiExact(const wchar_t* text, char* buffer, int32_t size);
