// The data the setup carries inside its executable: the payload files it installs, and the
// pictures, icons and long texts its wizard shows. Every item is one block of bytes placed
// at build time; nothing is copied or changed at run time.
#pragma once
#include <stdint.h>
#include "payload/manifest.h"  // made from payload/manifest.txt

struct PayloadEntry {
  const char* name;              // file name, without folder
  DestinationClass destination;  // which of the installation's folders receives it
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

// Checks the pictures and icons against the CRC-32s computed when the program was built;
// the wizard calls it once at start-up. From then on a damaged one is given as {nullptr, 0},
// so that it is shown as a picture that cannot be decoded.
void CheckShownPictures();

// A Windows-1251 text with CR LF line breaks, read in place: its bytes up to its zero byte,
// never past the end of its block (a damaged block may have lost the zero).
struct EmbeddedText {
  const char* text;
  int32_t length;
};
EmbeddedText WelcomeText();
EmbeddedText LicenceText();
EmbeddedText FinishText();
// Writes the text at mark by the string buffer's convention (runtime/strings.h).
void StrFromEmbeddedText(EmbeddedText text, int32_t mark);

// The first block that does not match its CRC-32, in the order an installation checks
// them: the installed files in extraction order, then the blocks that are only shown, in
// storage order. An installed block is named by its file's name, any other by the file it
// was made from ("welcome.txt"); null when every block matches.
const char* FirstDamagedBlock();
