#pragma once
// Numbered files written through a buffer, and numbered directory listings.
#include <windows.h>
#include <stdint.h>

void FilesStart();
void FilesStop();
