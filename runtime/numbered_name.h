#pragma once
// Names made of a prefix and a number ("WindowClass_12"), for window classes and window
// properties. The number may be an object number that is an address, so all of its bits
// are written, in decimal. Numbers named this way are never negative.
#include <stdint.h>

// Longest name for a prefix of up to 16 characters: 20 digits and the terminator.
constexpr int NumberedNameSize = 16 + 21;

void NumberedName(char* name, const char* prefix, uintptr_t number);
