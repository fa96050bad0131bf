#pragma once
// The current decoder's picture as a top-down device-independent bitmap.
#include <windows.h>
#include "image/decoder_registry.h"

// Creates a 24-bit (DecodedBgr) or 32-bit (DecodedBgra) bitmap of the picture and has the
// decoder fill its rows. 0 when the bitmap cannot be created; a picture that fails part
// way keeps the rows decoded before the failure.
HBITMAP BitmapFromDecoder(const ImageDecoder* decoder, int kind);
