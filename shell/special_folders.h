#pragma once
// Where the shell keeps its special folders, and creating a folder with its parents.
#include <stdint.h>

// Special-folder ids the program looks up at start-up.
enum : int32_t {
  FolderCommonPrograms = 23,  // Start-menu Programs folder shared by all users
  FolderCommonDesktop = 25,   // desktop folder shared by all users
  FolderAppData = 26,         // the current user's application data
  FolderProgramFiles = 38,
};

// Appended to the application-data folder to give the Quick Launch folder.
extern const char QuickLaunchSubfolder[];

// Writes the folder's path followed by "\" at mark (the empty text when the shell has no
// file-system path for the id) and leaves ScratchMark on its terminator.
void SpecialFolderPath(int32_t id, int32_t mark);

// Writes the system's Windows folder followed by "\" at mark (the empty text if it cannot
// be had) and leaves ScratchMark on its terminator. On a terminal server this is the
// shared folder, not the user's own.
void WindowsFolderPath(int32_t mark);

// Creates every missing folder named before the last "\" of path; a last component not
// followed by "\" is taken as a file name. Non-zero when all of them exist afterwards; 0
// for a path of 248 characters or more, which is never handed to the system.
int32_t EnsureDirectoryPath(const char* path);
