#pragma once
// Numbered files for writing. Each open file has a 4096-byte write buffer: small writes
// collect in it, a write that would fill it exactly first writes the buffer out, and
// writes of 4096 bytes or more go straight to the file once the buffer is written out.
//
// Whether a file was written whole: a write that goes to the file reports the count the
// platform wrote, while a buffered write reports its bytes as accepted at once and can
// only fail later, when the buffer is written out. The file remembers any write that fell
// short (buffered bytes that could not be written are dropped), and FileClose reports it:
//
//   if (FileWriteData(n, data, size) != size || !FileClose(n)) ... the file is incomplete
#include <windows.h>
#include <stdint.h>
#include "runtime/object_table.h"

// The table of open files (record size 24, growth step 16, FileClose releases).
extern ObjectTable* FileTable;

void FilesStart();
// Writes out and closes every file still open.
void FilesStop();

// Creates the file or empties an existing one (if it cannot be opened for reading and
// writing, a second attempt opens it for writing only). Nothing is written through a link:
// an existing symbolic link, junction or other reparse point of that name, or a file with
// more than one hard link, is refused before it is emptied, and so is a read-only file; a
// hidden or system file loses those two attributes. A file open under the number is closed
// first. Returns the file handle for a fixed number, the new number for AutoNumber, 0 on
// failure (nothing is left open then).
intptr_t FileCreate(intptr_t number, const char* name);

// Non-zero when a file of that name exists and is a link standing in its place (symbolic
// link, junction or other reparse point) or one of several names of the same data (hard
// links), or cannot be opened to be told: replacing it would write to a file elsewhere.
// 0 for a missing name, a plain file and a folder that is no link.
int32_t FileIsLinked(const char* name);

// Bytes accepted: the length for a buffered write, the count written for one that goes to
// the file. 0 if the address is null, the length is not positive or no file is open under
// the number.
int32_t FileWriteData(intptr_t number, const void* data, int32_t length);

// The setup writes only whole blocks; the line writer stays as the file library's text
// operation for any caller.
// Writes the text's bytes (none for null or the empty text) and "\r\n"; returns the bytes
// accepted for both, 0 if no file is open under the number.
int32_t FileWriteLine(intptr_t number, const char* text);

// Writes out the buffer, closes the file and frees the number. Returns non-zero if every
// byte accepted since the file was created reached it and the file closed cleanly; 0 if
// a write fell short, or if no file is open under the number (AutoNumber itself included).
int FileClose(intptr_t number);

// Non-zero if a file is open under the number. Only tests ask; it stays as the file
// library's one query of whether a number is in use, AutoNumber ones included.
int FileIsOpen(intptr_t number);
