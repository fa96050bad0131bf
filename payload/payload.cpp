#include "payload/payload.h"
#include <string.h>
#include <zlib.h>
#include "runtime/strings.h"

namespace {
struct NamedBlock {
  const char* name;
  int index;  // BlockIndex
};
}  // namespace

// BlockIndex, the blocks' symbols and starts, PayloadTable and ShownOnlyBlocks, made from
// payload/manifest.txt.
#include "payload_table.inc"

namespace {

bool Intact(const uint8_t* data, int32_t size, uint32_t crc) {
  if (size < 0 || (size > 0 && !data)) return false;
  return crc32(0, data, (uInt)size) == crc;
}

bool BlockIntact(int index) { return Intact(BlockStarts[index], BlockSizes[index], BlockCrcs[index]); }

// Pictures and icons found damaged by CheckShownPictures.
bool Damaged[BlockCount];

EmbeddedBlock Shown(int index) {
  if (Damaged[index]) return {nullptr, 0};
  return {BlockStarts[index], BlockSizes[index]};
}

EmbeddedText Text(int index) {
  const char* text = reinterpret_cast<const char*>(BlockStarts[index]);
  const void* zero = memchr(text, 0, (size_t)BlockSizes[index]);
  return {text, zero ? int32_t(static_cast<const char*>(zero) - text) : BlockSizes[index]};
}

}  // namespace

EmbeddedBlock EmbeddedPicture(int number) {
  switch (number) {
    case 0: return Shown(Picture0Index);
    case 1: return Shown(Picture1Index);
    default: return {nullptr, 0};
  }
}

EmbeddedBlock EmbeddedIcon(int number) {
  switch (number) {
    case 2: return Shown(Icon2Index);
    case 3: return Shown(Icon3Index);
    default: return {nullptr, 0};
  }
}

void CheckShownPictures() {
  const int pictures[] = {Picture0Index, Picture1Index, Icon2Index, Icon3Index};
  for (int index : pictures) Damaged[index] = !BlockIntact(index);
}

EmbeddedText WelcomeText() { return Text(WelcomeTextIndex); }
EmbeddedText LicenceText() { return Text(LicenceTextIndex); }
EmbeddedText FinishText() { return Text(FinishTextIndex); }

void StrFromEmbeddedText(EmbeddedText text, int32_t mark) {
  char* at = ScratchReserve(text.length, mark);
  memcpy(at, text.text, (size_t)text.length);
  at[text.length] = 0;
}

const char* FirstDamagedBlock() {
  for (const PayloadEntry& entry : PayloadTable)
    if (!Intact(entry.data, entry.size, entry.crc)) return entry.name;
  for (const NamedBlock* block = ShownOnlyBlocks; block->name; ++block)
    if (!BlockIntact(block->index)) return block->name;
  return nullptr;
}
