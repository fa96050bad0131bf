#pragma once
// The PNG decoder, on libpng.
#include "image/decoder_registry.h"

// Registers the PNG decoder; later calls do nothing.
void UsePngDecoder();

extern const ImageDecoder PngDecoder;
