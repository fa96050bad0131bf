#pragma once
// What an installation leaves behind, read back from the disk, the shortcut files and the
// registry, and what the run reported on its way.
#include <windows.h>
#include <stdint.h>
#include <initializer_list>
#include <string>
#include <vector>
#include "install/install_progress.h"

std::string ReadFileBytes(const std::string& path);
// Creates or replaces a file holding text.
void WriteFileText(const std::string& path, const char* text);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Deletes a folder with everything in it; a missing folder is fine.
void RemoveTree(const std::string& path);
// Starts a test's folders afresh: the first (each ends in a backslash) is emptied away,
// then all are created.
void MakeFreshFolders(std::initializer_list<std::string> folders);
// The names in a folder, files and folders, without "." and "..".
std::vector<std::string> FolderNames(const std::string& folder);

struct PayloadEntry;
// Where below the installation folder a payload file goes, ending in a backslash.
const char* PayloadSubfolder(const PayloadEntry& entry);
// The embedded bytes of a payload file.
std::string PayloadBytes(const PayloadEntry& entry);

struct LinkFields {
  bool loaded = false;
  std::string target, arguments, workingFolder, description, iconFile;
  int iconIndex = -1, showCommand = -1;
  WORD hotKey = 0xFFFF;
};
LinkFields ReadLink(const std::string& path);

// The default value (name null) or a named string value; "<missing>" when there is none.
std::string RegistryText(HKEY root, const std::string& key, const char* name = nullptr);

// Keeps every call a run makes on its progress, in order, one line each: "phase TEXT",
// "detail TEXT", "position N", "breathe" or "pause MS".
class RecordingProgress : public InstallProgress {
 public:
  std::vector<std::string> calls;

  void ShowPhase(const char* text) override { calls.push_back(std::string("phase ") + text); }
  void ShowDetail(const char* text) override { calls.push_back(std::string("detail ") + text); }
  void SetPosition(int32_t position) override { calls.push_back("position " + std::to_string(position)); }
  void Breathe() override { calls.push_back("breathe"); }
  void Pause(int milliseconds) override { calls.push_back("pause " + std::to_string(milliseconds)); }
};
