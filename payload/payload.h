// The data the setup carries inside its executable: the payload files it installs, and the
// pictures, icons and long texts its wizard shows. Every item is one block of bytes placed
// at build time; nothing is copied or changed at run time.
#pragma once
#include <stdint.h>
#include "payload/manifest.h"  // made from payload/manifest.txt

struct PayloadEntry {
  const char* name;              // file name, without folder
  DestinationClass destination;  // which of the installation's three folders receives it
  const uint8_t* data;
  int32_t size;
  uint32_t crc;  // CRC-32 of the size bytes at data, computed when the program was built
};

// In extraction order. The licence file's row is the licence text's block, zero byte included.
extern const PayloadEntry PayloadTable[PayloadCount];

struct EmbeddedBlock {
  const uint8_t* data;
  int32_t size;
};

// 0: the side picture (PNG), 1: the corner picture (PNG); other numbers give {nullptr, 0}.
EmbeddedBlock EmbeddedPicture(int number);
// 2: the open-folder icon, 3: the program-group folder icon (ICO files); others {nullptr, 0}.
EmbeddedBlock EmbeddedIcon(int number);

// Zero-terminated Windows-1251 texts with CR LF line breaks, read in place.
const char* WelcomeText();
const char* LicenceText();
const char* FinishText();
