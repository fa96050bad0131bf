#pragma once
// Telling the shell which program opens documents of a given extension.
#include <windows.h>
#include <stdint.h>

// Registers documents ending in "." + ext (ext without its dot) to open with program (a
// full path), under the type description and icon file (either may be empty). The values
// written depend on the Windows family, see UsesNtClassLayout; the classes are always the
// machine's (HKEY_LOCAL_MACHINE\Software\Classes), never the user's. Returns 0.
int32_t RegisterDocumentType(const char* ext, const char* description, const char* program,
                             const char* iconFile);

// Tells the shell, once the last document type is registered, that associations have
// changed, so that icons and verbs show at once rather than after a restart. 1 when the
// shell had the call to be told with, 0 where it had not.
int32_t AnnounceDocumentTypes();

// 0 on Windows 95, 98 and ME, which keep document types under HKLM\Software\Classes keyed
// by the program's file name; 1 on every other system, NT's per-extension layout.
int32_t UsesNtClassLayout();
// The same decision for a version code of OsVersion.
int32_t NtClassLayoutFor(int osVersion);

// One REG_SZ value of a registration: text under root\key, valueName "" for the default.
typedef void (*DocumentTypeRowWriter)(HKEY root, const char* key, const char* valueName,
                                      const char* text);
// Hands every value of a registration in the given layout to write, in the order they are
// stored. RegisterDocumentType writes them to the registry.
void WriteDocumentTypeRows(int32_t ntLayout, const char* ext, const char* description,
                           const char* program, const char* iconFile, DocumentTypeRowWriter write);

// Creates root\keyPath with its missing parents (or opens it) and sets one value on it.
// A key that cannot be created is skipped silently. Returns 0.
int32_t WriteRegistryValue(HKEY root, const char* keyPath, const char* valueName, DWORD type,
                           const void* data, DWORD size);
