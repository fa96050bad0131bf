#include "shell/document_types.h"

#include <shlobj.h>

#include <iterator>

#include "runtime/owned_text.h"
#include "runtime/services.h"
#include "runtime/system_library.h"

namespace {

// Texts a registration is made of.
enum Piece { PieceNone, PieceExt, PieceProgramFile, PieceTypeKey, PieceDescription, PieceIconFile,
             PieceOpenCommand };
enum RowNeeds { Always, WithDescription, WithDescriptionAndIcon, WithIcon };

struct DocumentTypeRow {
  RowNeeds needs;
  HKEY root;
  const char* keyStart;  // the key is keyStart + keyPiece + keyEnd
  Piece keyPiece;
  const char* keyEnd;
  const char* valueName;
  Piece data;
};

// On NT the extension names a type key of its own, and the program's entry under
// Applications carries the open command. They go to the machine's classes themselves: a
// write through HKEY_CLASSES_ROOT lands in the user's own classes wherever the key is
// there already (Explorer's "Open with" makes such keys), and reaches no other user.
const DocumentTypeRow NtRows[] = {
    {Always, HKEY_LOCAL_MACHINE, "Software\\Classes\\Applications\\", PieceProgramFile,
     "\\shell\\open\\command", "", PieceOpenCommand},
    {WithDescription, HKEY_LOCAL_MACHINE, "Software\\Classes\\.", PieceExt, "", "", PieceTypeKey},
    {WithDescription, HKEY_LOCAL_MACHINE, "Software\\Classes\\", PieceTypeKey, "", "", PieceDescription},
    {WithDescriptionAndIcon, HKEY_LOCAL_MACHINE, "Software\\Classes\\", PieceTypeKey, "\\DefaultIcon", "",
     PieceIconFile},
    {Always, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.",
     PieceExt, "", "Application", PieceProgramFile},
};

// On 95/98/ME every extension of a program points to one type key named after the program.
const DocumentTypeRow Win9xRows[] = {
    {Always, HKEY_LOCAL_MACHINE, "Software\\Classes\\.", PieceExt, "", "", PieceTypeKey},
    {WithDescription, HKEY_LOCAL_MACHINE, "Software\\Classes\\", PieceProgramFile, "", "",
     PieceDescription},
    {WithIcon, HKEY_LOCAL_MACHINE, "Software\\Classes\\", PieceProgramFile, "\\DefaultIcon", "",
     PieceIconFile},
    {Always, HKEY_LOCAL_MACHINE, "Software\\Classes\\", PieceProgramFile, "\\shell\\open\\command",
     "", PieceOpenCommand},
};

struct Registration {
  OwnedText ext, description, program, iconFile, programFile, typeKey, openCommand;
};

const char* PieceText(const Registration& r, Piece piece) {
  switch (piece) {
    case PieceExt: return r.ext.Get();
    case PieceProgramFile: return r.programFile.Get();
    case PieceTypeKey: return r.typeKey.Get();
    case PieceDescription: return r.description.Get();
    case PieceIconFile: return r.iconFile.Get();
    case PieceOpenCommand: return r.openCommand.Get();
    case PieceNone: break;
  }
  return nullptr;
}

bool RowApplies(const Registration& r, RowNeeds needs) {
  bool described = StrLength(r.description.Get()) > 0, withIcon = StrLength(r.iconFile.Get()) > 0;
  switch (needs) {
    case Always: return true;
    case WithDescription: return described;
    case WithDescriptionAndIcon: return described && withIcon;
    case WithIcon: return withIcon;
  }
  return false;
}

void WriteRegistryText(HKEY root, const char* key, const char* valueName, const char* text) {
  WriteRegistryValue(root, key, valueName, REG_SZ, text ? text : "", StrLength(text) + 1);
}

}  // namespace

int32_t NtClassLayoutFor(int osVersion) {
  return osVersion == 10 || osVersion == 30 || osVersion == 40 ? 0 : 1;
}

int32_t UsesNtClassLayout() { return NtClassLayoutFor(OsVersion()); }

void WriteDocumentTypeRows(int32_t ntLayout, const char* ext, const char* description,
                           const char* program, const char* iconFile, DocumentTypeRowWriter write) {
  // The arguments may lie in the scratch buffer, which moves while keys are built there.
  Registration r;
  StrCopyNew(r.ext.Slot(), ext);
  StrCopyNew(r.description.Slot(), description);
  StrCopyNew(r.program.Slot(), program);
  StrCopyNew(r.iconFile.Slot(), iconFile);
  {
    ScratchText programFile;
    StrFilePart(r.program.Get(), programFile.Start());
    programFile.AssignTo(r.programFile.Slot());
  }
  {
    ScratchText command;
    command.Append("\"").Append(r.program.Get()).Append("\" \"%1\"");
    command.AssignTo(r.openCommand.Slot());
  }
  if (ntLayout) {
    ScratchText typeKey;
    typeKey.Append(r.ext.Get()).Append("_auto_file");
    typeKey.AssignTo(r.typeKey.Slot());
  } else {
    StrAssign(r.typeKey.Slot(), r.programFile.Get());
  }

  const DocumentTypeRow* rows = ntLayout ? NtRows : Win9xRows;
  size_t count = ntLayout ? std::size(NtRows) : std::size(Win9xRows);
  for (size_t i = 0; i < count; ++i) {
    const DocumentTypeRow& row = rows[i];
    if (!RowApplies(r, row.needs)) continue;
    ScratchText key;
    key.Append(row.keyStart).Append(PieceText(r, row.keyPiece)).Append(row.keyEnd);
    write(row.root, key.Pass(), row.valueName, PieceText(r, row.data));
  }
}

int32_t RegisterDocumentType(const char* ext, const char* description, const char* program,
                             const char* iconFile) {
  WriteDocumentTypeRows(UsesNtClassLayout(), ext, description, program, iconFile,
                        WriteRegistryText);
  return 0;
}

using ChangeNotifyFunction = void(WINAPI*)(LONG event, UINT flags, LPCVOID first, LPCVOID second);

int32_t AnnounceDocumentTypes() {
  HMODULE shell = LoadSystemLibrary("SHELL32.DLL");
  auto notify = reinterpret_cast<ChangeNotifyFunction>(
      reinterpret_cast<void*>(shell ? GetProcAddress(shell, "SHChangeNotify") : nullptr));
  if (!notify) return 0;
  notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return 1;
}

int32_t WriteRegistryValue(HKEY root, const char* keyPath, const char* valueName, DWORD type,
                           const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, keyPath ? keyPath : "", 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, valueName ? valueName : "", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  return 0;
}
