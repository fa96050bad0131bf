#pragma once
// Checks of the folders typed on the destination and Start-menu pages, made when Next
// leaves the page: what passes cannot send a file outside the folder the user meant, nor
// past the length a path may have, and names only folders that Windows can hold. The
// texts are in codePage (the system's ANSI code page in the program) and are read a
// character at a time, so that the second byte of a double-byte character is never taken
// for a separator or a forbidden character.
#include <windows.h>
#include <stddef.h>
#include "runtime/owned_text.h"

// The deepest installed file stays within 259 characters below a destination of this
// length, its backslash counted (checked against the payload where the limit is used).
constexpr size_t DestinationMaxLength = 214;
// The Programs folder and the name together: the folder then stays under the 248
// characters a folder may have, and "\Brindlex.lnk" within 259.
constexpr size_t StartMenuMaxLength = 246;

// The length of text without the blanks that end it: Windows drops them from a name, so
// the field is trimmed to what will be made before it is checked.
size_t LengthWithoutTrailingBlanks(const char* text);

// The destination as it is checked and installed: the typed text without the blanks that
// end it, ending in a backslash. A bare drive ("C:", the folder that is current on that
// drive) gets none: one would turn it into the drive's root, and the check refuses it.
OwnedText DestinationNormalForm(const char* typed, UINT codePage);

// A full path on a drive (letter, colon, backslash) that names a folder below the drive's
// root (not "C:\" nor "C:\\": the program would lie in the root, among everything else
// there, with the root's access list), whose folder names Windows can hold (see below; no
// forward slash either), at most DestinationMaxLength long in its normal form, with its
// trailing backslash.
bool DestinationIsUsable(const char* destination, UINT codePage);

// A folder name below the Programs folder (whose path has programsFolderLength
// characters) that stays below it: not empty, no leading separator, folder names between
// backslashes or slashes that Windows can hold, and not too long.
//
// A folder name Windows can hold has none of : * ? " < > | and no control character,
// does not end in a blank or a dot (so is never "." or ".."), and is not a device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CONIN$, CONOUT$ in any letter case,
// also with an extension, as in aux.txt).
bool StartMenuNameIsUsable(const char* name, size_t programsFolderLength, UINT codePage);
