#pragma once
// The current decoder's picture as a top-down device-independent bitmap.
#include <windows.h>
#include "image/decoder_registry.h"

// Creates a 24-bit (DecodedBgr) or 32-bit (DecodedBgra) bitmap of the picture and has the
// decoder fill its rows. 0 when the bitmap cannot be created or the picture fails part
// way: a picture is never shown with rows missing.
HBITMAP BitmapFromDecoder(const ImageDecoder* decoder, int kind);
