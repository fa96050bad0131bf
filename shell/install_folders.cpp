#include "shell/install_folders.h"

#include <windows.h>

#include "runtime/strings.h"
#include "runtime/system_library.h"

int32_t FolderIsLink(const char* folder) {
  int32_t length = StrLength(folder);
  if (length == 0) return 0;
  // With its final backslash the name would stand for what a link leads to.
  if (length > 1 && folder[length - 1] == '\\' && folder[length - 2] != ':') --length;
  ScratchText name;
  StrLeft(folder, length, name.Start());
  DWORD attributes = GetFileAttributesA(name.Pass());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? 1 : 0;
}

namespace {

// Where the path's first folder below its root begins: after "X:\" or "X:", after
// "\\server\share\", after a leading "\", or at the start of a relative path.
int32_t RootLength(const char* path) {
  if (path[0] && path[1] == ':') return path[2] == '\\' ? 3 : 2;
  if (path[0] == '\\' && path[1] == '\\') {
    int32_t at = 2;
    for (int separators = 0; path[at] && separators < 2; ++at)
      if (path[at] == '\\') ++separators;
    return at;
  }
  return path[0] == '\\' ? 1 : 0;
}

bool Inside(const char* path, const char* folder) {
  int32_t length = StrLength(folder);
  return length > 0 && StrLength(path) >= length &&
         CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path, length, folder, length) == CSTR_EQUAL;
}

}  // namespace

void FolderToProtect(const char* destination, const char* programFiles, int32_t mark) {
  if (!destination) destination = "";
  if (!Inside(destination, programFiles ? programFiles : "")) {
    // Each folder of the path in turn, from the root down; the second byte of a
    // double-byte character is never taken for a backslash.
    for (int32_t at = RootLength(destination); destination[at];) {
      int32_t next = at + (IsDBCSLeadByte((BYTE)destination[at]) && destination[at + 1] ? 2 : 1);
      bool separator = destination[at] == '\\';
      if (separator || !destination[next]) {
        StrLeft(destination, separator ? at : next, mark);
        if (GetFileAttributesA(ScratchAt(mark)) == INVALID_FILE_ATTRIBUTES) return;
      }
      at = next;
    }
  }
  ScratchReserve(0, mark)[0] = 0;
}

namespace {

using ConvertDescriptorFunction = BOOL(WINAPI*)(LPCSTR text, DWORD revision, PSECURITY_DESCRIPTOR* descriptor,
                                                PULONG size);

// Owner Administrators; a protected list: full control (FA) for Administrators (BA) and
// SYSTEM (SY), read and execute (0x1200A9) for Users (BU), each inherited by folders and
// files (OICI).
const char ProtectedFolderDescriptor[] = "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200A9;;;BU)";

}  // namespace

int32_t CreateProtectedFolder(const char* folder) {
  // Windows 2000 and later have it; earlier systems have no inherited access lists.
  ConvertDescriptorFunction convert = nullptr;
  if (HMODULE advapi = LoadSystemLibrary("ADVAPI32.DLL"))
    convert = reinterpret_cast<ConvertDescriptorFunction>(reinterpret_cast<void*>(
        GetProcAddress(advapi, "ConvertStringSecurityDescriptorToSecurityDescriptorA")));
  if (!convert) return CreateDirectoryA(folder, nullptr) ? 1 : 0;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!convert(ProtectedFolderDescriptor, 1 /* SDDL_REVISION_1 */, &descriptor, nullptr)) return 0;
  SECURITY_ATTRIBUTES security = {sizeof security, descriptor, FALSE};
  BOOL created = CreateDirectoryA(folder, &security);
  LocalFree(descriptor);
  return created ? 1 : 0;
}
