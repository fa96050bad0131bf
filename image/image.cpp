#include "image/image.h"
#include "image/bmp_file.h"
#include "image/decoded_bitmap.h"
#include "image/ico_file.h"
#include "image/scaled_image.h"
#include "image/image_record.h"
#include "runtime/object_table.h"
#include "toolkit/icon_picture.h"

namespace {

ObjectTable* ImageTable;

void Record(HANDLE handle, const BITMAP& description, ImageRecord* made) {
  made->handle = NativeImage{handle};
  made->width = (uint16_t)description.bmWidth;
  made->height = (uint16_t)description.bmHeight;
  made->depth = (uint8_t)description.bmBitsPixel;
}

bool Describe(HBITMAP bitmap, ImageRecord* made) {
  BITMAP description;
  if (GetObjectA(bitmap, sizeof description, &description) != sizeof description) return false;
  Record(bitmap, description, made);
  return true;
}

bool DescribeIcon(HICON icon, ImageRecord* made) {
  BITMAP description;
  if (!DescribeIconPicture(icon, &description)) return false;
  Record(icon, description, made);
  return true;
}

bool MakeFromBitmap(HBITMAP bitmap, ImageRecord* made) {
  if (!bitmap) return false;
  if (Describe(bitmap, made)) return true;
  DeleteObject(bitmap);
  return false;
}

// A BMP file is only ever taken as a BMP file; other data is tried as an icon file,
// then by the registered decoders.
bool MakeImage(const uint8_t* data, uint32_t size, ImageRecord* made) {
  if (LooksLikeBmpFile(data, size)) return MakeFromBitmap(BitmapFromBmpFile(data, size), made);
  if (HICON icon = IconFromIcoFile(data, size)) {
    if (DescribeIcon(icon, made)) return true;
    DestroyIcon(icon);
    return false;
  }
  int kind = CheckWithDecoders(data, size);
  if (kind == DecodedNone) return false;
  return MakeFromBitmap(BitmapFromDecoder(Decoders.current, kind), made);
}

}  // namespace

intptr_t ImageFromMemory(intptr_t number, const void* data, uint32_t size) {
  if (!ImageTable || !data) return 0;
  ImageRecord* record = static_cast<ImageRecord*>(ObjectTableSlot(ImageTable, number));
  if (!record) return 0;
  ImageRecord made = {};
  if (!MakeImage(static_cast<const uint8_t*>(data), size, &made)) {
    if (number == AutoNumber) ObjectTableRelease(ImageTable, ObjectNumberOf(record));
    return 0;
  }
  *record = made;
  return number == AutoNumber ? ObjectNumberOf(record) : (intptr_t)made.handle.Get();
}

void ImageFree(intptr_t number) {
  if (number == AutoNumber) return;
  ImageRecord* record = FindImage(number);
  if (!record) return;
  record->handle.Free();
  ObjectTableRelease(ImageTable, number);
}

ImageRecord* FindImage(intptr_t number) { return FindRecord<ImageRecord>(ImageTable, number); }

HANDLE ImageScale(intptr_t number, int numerator, int denominator) {
  ImageRecord* record = FindImage(number);
  if (!record) return nullptr;
  HANDLE original = record->handle.Get();
  if (numerator == denominator || numerator <= 0 || denominator <= 0) return original;
  int width = MulDiv(record->width, numerator, denominator);
  int height = MulDiv(record->height, numerator, denominator);
  if (width > 0xFFFF || height > 0xFFFF) return original;
  bool bitmap = GetObjectType(original) == OBJ_BITMAP;
  HANDLE scaled = bitmap ? (HANDLE)ScaledBitmap((HBITMAP)original, width, height)
                         : (HANDLE)ScaledIcon((HICON)original, width, height);
  if (!scaled) return original;
  ImageRecord made = {};
  if (bitmap ? !Describe((HBITMAP)scaled, &made) : !DescribeIcon((HICON)scaled, &made)) {
    NativeImage{scaled}.Free();
    return original;
  }
  record->handle.Free();
  *record = made;
  return scaled;
}

void ImagesStart() { ImageTable = ObjectTableNew(sizeof(ImageRecord), 16, ImageFree); }

void ImagesStop() { ObjectTableFreeAll(ImageTable); }
