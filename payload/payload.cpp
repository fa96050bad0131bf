#include "payload/payload.h"

// BlockIndex, the blocks' symbols and PayloadTable, made from payload/manifest.txt.
#include "payload_table.inc"

EmbeddedBlock EmbeddedPicture(int number) {
  switch (number) {
    case 0: return {BlockPicture0, BlockSizes[Picture0Index]};
    case 1: return {BlockPicture1, BlockSizes[Picture1Index]};
    default: return {nullptr, 0};
  }
}

EmbeddedBlock EmbeddedIcon(int number) {
  switch (number) {
    case 2: return {BlockIcon2, BlockSizes[Icon2Index]};
    case 3: return {BlockIcon3, BlockSizes[Icon3Index]};
    default: return {nullptr, 0};
  }
}

const char* WelcomeText() { return reinterpret_cast<const char*>(BlockWelcomeText); }
const char* LicenceText() { return reinterpret_cast<const char*>(BlockLicenceText); }
const char* FinishText() { return reinterpret_cast<const char*>(BlockFinishText); }
