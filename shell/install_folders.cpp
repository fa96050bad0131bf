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

// Gives ask the length of each folder of path in turn, without its final backslash, from
// the folder that begins at character from down to the last, until ask answers false; false
// then. The second byte of a double-byte character is never taken for a backslash.
template <typename Ask>
bool EachFolder(const char* path, int32_t from, Ask ask) {
  for (int32_t at = from; path[at];) {
    int32_t next = at + (IsDBCSLeadByte((BYTE)path[at]) && path[at + 1] ? 2 : 1);
    bool separator = path[at] == '\\';
    if ((separator || !path[next]) && !ask(separator ? at : next)) return false;
    at = next;
  }
  return true;
}

}  // namespace

int32_t LinkOnPath(const char* path, const char* trusted) {
  if (!path) return 0;
  int32_t from = RootLength(path);
  if (Inside(path, trusted) && StrLength(trusted) > from) from = StrLength(trusted);
  bool plain = EachFolder(path, from, [path](int32_t length) {
    ScratchText folder;
    StrLeft(path, length, folder.Start());
    return !FolderIsLink(folder.Pass());
  });
  return plain ? 0 : 1;
}

void FolderToProtect(const char* destination, const char* programFiles, int32_t mark) {
  if (!destination) destination = "";
  bool missing = !Inside(destination, programFiles ? programFiles : "") &&
                 !EachFolder(destination, RootLength(destination), [destination, mark](int32_t length) {
                   StrLeft(destination, length, mark);
                   return GetFileAttributesA(ScratchAt(mark)) != INVALID_FILE_ATTRIBUTES;
                 });
  if (!missing) ScratchReserve(0, mark)[0] = 0;
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
