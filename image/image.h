#pragma once
// Numbered images decoded from memory into native bitmaps and icons.
#include <windows.h>
#include <stdint.h>
#include "image/decoder_registry.h"
#include "runtime/object_table.h"

// Makes an image from a BMP file, an ICO file or anything a registered decoder accepts.
// Returns the native handle (bitmap or icon) for a fixed number, the new number for
// AutoNumber, and 0 when the data is not a picture that can be made into one. Nothing is
// read beyond size bytes.
// The setup's pictures are PNG and ICO files; BMP files stay as the library's own format
// besides the decoders', for any caller.
intptr_t ImageFromMemory(intptr_t number, const void* data, uint32_t size);
// Deletes the image's native object and frees its number.
void ImageFree(intptr_t number);
// The live record of an image number, or null.
struct ImageRecord* FindImage(intptr_t number);
// Replaces the image's native object with a smoothly scaled copy whose sides are
// MulDiv(side, numerator, denominator) pixels. Returns the image's handle afterwards: the
// copy, or the unchanged original when the size stays the same or no copy can be made;
// 0 when the number holds no image.
HANDLE ImageScale(intptr_t number, int numerator, int denominator);

void ImagesStart();
void ImagesStop();
