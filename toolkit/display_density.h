#pragma once
// The density of the display in pixels per inch, as fonts are sized by it.

// The display's logical pixels per inch (its LOGPIXELSY), read from the display once, or
// 96 while it cannot be read.
int DisplayDensity();
