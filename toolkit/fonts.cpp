#include "toolkit/fonts.h"
#include "runtime/object_table.h"
#include "toolkit/display_density.h"
#include "toolkit/gdi_object.h"

namespace {

struct FontRecord {
  GdiObject<HFONT> font;  // 0 marks a free slot
};

ObjectTable* FontTable;

}  // namespace

void FontsStart() {
  FontTable = ObjectTableNew(sizeof(FontRecord), 16, FontFree);
}

void FontsStop() {
  ObjectTableFreeAll(FontTable);
}

intptr_t FontLoad(intptr_t number, const char* face, int pointSize, uint32_t style) {
  FontRecord* record = static_cast<FontRecord*>(ObjectTableSlot(FontTable, number));
  if (!record) return 0;
  // A character height in pixels.
  HFONT font = CreateFontA(-MulDiv(pointSize, DisplayDensity(), 72), 0, 0, 0,
                           (style & FontBold) ? FW_BOLD : FW_NORMAL,
                           (style & FontItalic) != 0, (style & FontUnderline) != 0,
                           (style & FontStrikeOut) != 0, DEFAULT_CHARSET, 0, 0,
                           (style & FontHighQuality) ? PROOF_QUALITY : DEFAULT_QUALITY, 0,
                           face ? face : "");
  if (!font) {
    // An AutoNumber record that stays empty would never be found again: give it back.
    if (number == AutoNumber) ObjectTableRelease(FontTable, ObjectNumberOf(record));
    return 0;
  }
  record->font.Take(font);
  return number == AutoNumber ? ObjectNumberOf(record) : (intptr_t)font;
}

void FontFree(intptr_t number) {
  FontRecord* record = FindRecord<FontRecord>(FontTable, number);
  if (!record) return;
  record->font.Free();
  ObjectTableRelease(FontTable, number);
}
