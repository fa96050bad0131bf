#pragma once
// Numbered directory listings: DirExamine, then DirNext before each entry (the first call
// gives the first entry), reading DirEntryType and DirEntryName in between, until DirNext
// returns 0. Listings still open at shut-down end with the process.
#include <stdint.h>
#include "runtime/object_table.h"

// The table of listings (record size 328, growth step 16, DirFinish releases); created by
// the first DirExamine.
extern ObjectTable* DirTable;

// Writes the search path for a directory and a pattern into path (MAX_PATH bytes): the
// directory, a backslash unless it is empty or ends in one, and the pattern ("*.*" when
// null or empty). A null directory is the empty text. Returns 0, writing nothing, if the
// result would not fit.
int DirSearchPath(const char* directory, const char* pattern, char* path);

// Starts a listing of the entries of directory that match pattern. A listing open under
// the number is finished first. Returns the listing's record address; a folder with no
// matching entries gives an empty listing. Returns 0 for a folder that cannot be searched
// or a path that does not fit, and the number is then free.
intptr_t DirExamine(intptr_t number, const char* directory, const char* pattern);
// Moves to the next entry: non-zero if there is one, 0 at the end or without a listing.
int DirNext(intptr_t number);
// 2 if the current entry is a folder, 1 if it is anything else, 0 without a listing.
int DirEntryType(intptr_t number);
// The current entry's name at mark in the scratch buffer: empty without a listing, and
// empty for a name the process's ANSI code page cannot hold exactly (Windows NT).
void DirEntryName(intptr_t number, int32_t mark);
void DirFinish(intptr_t number);
