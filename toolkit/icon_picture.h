#pragma once
// The picture of an icon: the bitmap its size and depth are read from.
#include <windows.h>

// Describes the icon's picture as GetObject describes a bitmap: its colour bitmap, or for a
// monochrome icon, which has none, its mask bitmap at half its height (the mask holds the
// AND rows above the XOR rows). 0 when the icon cannot be read.
int DescribeIconPicture(HICON icon, BITMAP* picture);
