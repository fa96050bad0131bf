#pragma once
// Checks of the folders typed on the destination and Start-menu pages, made when Next
// leaves the page: what passes cannot send a file outside the folder the user meant, nor
// past the length a path may have.
#include <stddef.h>

// The deepest installed file stays within 259 characters below a destination of this
// length, its backslash counted (checked against the payload where the limit is used).
constexpr size_t DestinationMaxLength = 214;
// The Programs folder and the name together: the folder then stays under the 248
// characters a folder may have, and "\Brindlex.lnk" within 259.
constexpr size_t StartMenuMaxLength = 246;

// A full path on a drive (letter, colon, backslash) with no character that a file name
// cannot hold, at most DestinationMaxLength long once the installation has added the
// trailing backslash it adds when one is missing.
bool DestinationIsUsable(const char* destination);

// A folder name below the Programs folder (whose path has programsFolderLength
// characters) that stays below it: no ".." part, no colon, no leading separator, none of
// * ? " < > | and no control character, and not too long.
bool StartMenuNameIsUsable(const char* name, size_t programsFolderLength);
