#include "install_test_support.h"
#include <shlobj.h>
#include <string.h>
#include "payload/payload.h"

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[65536];
  DWORD got;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

void WriteFileText(const std::string& path, const char* text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(file, text, (DWORD)strlen(text), &written, nullptr);
  CloseHandle(file);
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void RemoveTree(const std::string& path) {
  for (const std::string& name : FolderNames(path)) {
    std::string child = path + "\\" + name;
    if (FolderExists(child)) RemoveTree(child);
    else {
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(child.c_str());
    }
  }
  RemoveDirectoryA(path.c_str());
}

void MakeFreshFolders(std::initializer_list<std::string> folders) {
  const std::string& root = *folders.begin();
  RemoveTree(root.substr(0, root.size() - 1));
  for (const std::string& folder : folders) CreateDirectoryA(folder.c_str(), nullptr);
}

const char* PayloadSubfolder(const PayloadEntry& entry) {
  return DestinationSubfolders[entry.destination];
}

std::string PayloadBytes(const PayloadEntry& entry) {
  return std::string(reinterpret_cast<const char*>(entry.data), entry.size);
}

LinkFields ReadLink(const std::string& path) {
  LinkFields fields;
  IShellLinkA* link = nullptr;
  CoInitialize(nullptr);
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link))) {
    CoUninitialize();
    return fields;
  }
  IPersistFile* file = nullptr;
  wchar_t widePath[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file)) && SUCCEEDED(file->Load(widePath, STGM_READ))) {
    char text[MAX_PATH * 2];
    fields.loaded = true;
    if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) fields.target = text;
    if (SUCCEEDED(link->GetArguments(text, sizeof text))) fields.arguments = text;
    if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) fields.workingFolder = text;
    if (SUCCEEDED(link->GetDescription(text, sizeof text))) fields.description = text;
    if (SUCCEEDED(link->GetIconLocation(text, sizeof text, &fields.iconIndex))) fields.iconFile = text;
    link->GetShowCmd(&fields.showCommand);
    link->GetHotkey(&fields.hotKey);
  }
  if (file) file->Release();
  link->Release();
  CoUninitialize();
  return fields;
}

std::string RegistryText(HKEY root, const std::string& key, const char* name) {
  HKEY opened;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return "<missing>";
  char data[1024] = {};
  DWORD size = sizeof data - 1, type = 0;
  LONG result = RegQueryValueExA(opened, name, nullptr, &type, (BYTE*)data, &size);
  RegCloseKey(opened);
  if (result != ERROR_SUCCESS || type != REG_SZ) return "<missing>";
  return std::string(data, size ? size - 1 : 0);  // the stored size counts the terminator
}
