#pragma once
// A fresh folder under the temporary folder for one test suite, removed with its contents
// when the suite ends; and reading files back through handles of the test's own.
#include <windows.h>
#include <string>

class TestFolder {
 public:
  explicit TestFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TestFolder() { Remove(path_); }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  // The folder's path, ending in a backslash.
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  void MakeFolder(const std::string& name) const { CreateDirectoryA((path_ + name).c_str(), nullptr); }
  void MakeFile(const std::string& name, const std::string& data = "") const {
    HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written;
    if (!data.empty()) WriteFile(file, data.data(), (DWORD)data.size(), &written, nullptr);
    CloseHandle(file);
  }

  // The bytes on disk now; other handles may hold the file open for writing.
  static std::string Read(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<cannot open>";
    std::string data;
    char chunk[8192];
    DWORD got;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) data.append(chunk, got);
    CloseHandle(file);
    return data;
  }

  // True if no handle anywhere holds the file open (an exclusive open succeeds).
  static bool IsClosed(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(folder + name + "\\");
        else DeleteFileA((folder + name).c_str());
      } while (FindNextFileA(search, &entry));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
};
