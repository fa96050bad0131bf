#pragma once
// The product's names that the program composes paths, shortcuts and registrations from.
// Fixed texts that only mention the product, such as the window title, spell it out where
// they stand.
#include "payload/manifest.h"  // the installed files' names, ProgramFileName among them

// The program's own name: the Start-menu folder's first proposal and the description of the
// document types it opens.
inline constexpr char ProductName[] = "Brindlex";
// The installation folder proposed below Program Files or below a folder picked with Browse.
inline constexpr char ProductFolder[] = "Brindlex\\";
// What picking an existing Start-menu folder adds to its name: the product's folder inside it.
inline constexpr char PickedFolderEnding[] = "\\Brindlex";
// The shortcuts' file names.
inline constexpr char ProgramLinkName[] = "Brindlex.lnk";
inline constexpr char LicenceLinkName[] = "License.lnk";
