#pragma once
// Folders an installation makes and writes into: links standing in their place or on their
// path, and the access list of a folder it makes outside the Program Files folder.
#include <stdint.h>

// Non-zero when folder (with or without its final backslash) is a symbolic link, a junction
// or another reparse point: writing into it would write wherever it leads.
int32_t FolderIsLink(const char* folder);

// Non-zero when a folder of path that exists is a link (FolderIsLink): each folder in turn
// below trusted, down to the last one path names, with or without its final backslash.
// trusted is a leading part of path, ending in a backslash, whose folders are taken as they
// are; when it is empty or does not lead path, every folder below the path's root is asked.
// The root itself ("C:\", "\\server\share\") never is: Wine reports its own mount
// points, Z:\ among them, as reparse points. A short name such as PROGRA~1 names the folder
// itself, not a link.
int32_t LinkOnPath(const char* path, const char* trusted);

// The folder that an installation into destination (ending in a backslash) creates with a
// protected access list: the topmost folder of the destination's path that does not exist
// yet, unless the destination lies inside programFiles (ending in a backslash; empty when
// unknown). Writes that folder's path, without a final backslash, at mark (the empty text
// when every folder of the path exists or the destination is inside Program Files) and
// leaves ScratchMark on its terminator.
void FolderToProtect(const char* destination, const char* programFiles, int32_t mark);

// Creates folder with an access list of its own that everything made in it inherits: owned
// by Administrators, full control for Administrators and SYSTEM, read and execute for Users,
// nothing inherited from above. Where the system has no access lists (Windows 98, NT 4) the
// folder is created plainly. Non-zero when the folder was created.
int32_t CreateProtectedFolder(const char* folder);
