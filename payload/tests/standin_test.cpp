// The stand-in application, started as the shell would start it: its window, the document
// line it shows, and a clean exit when its window is closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <string>

#include "payload/payload.h"
#include "payload/product_version.h"
#include "payload/standin/standin.h"

namespace {

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

// The built executable, found from this test program's folder.
std::wstring StandinPath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = Folder(self) + TEXT(BRX_STANDIN_FROM_TEST);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

struct FindWindowOf {
  DWORD process;
  HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  FindWindowOf* search = reinterpret_cast<FindWindowOf*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  if (process != search->process || lstrcmpW(className, StandinWindowClass) != 0 || !IsWindowVisible(window))
    return TRUE;
  search->window = window;
  return FALSE;
}

// A running copy of the application, ended in the destructor if a test left it running.
struct RunningStandin {
  PROCESS_INFORMATION process = {};
  HWND window = nullptr;

  explicit RunningStandin(const std::wstring& arguments) {
    std::wstring command = L"\"" + StandinPath() + L"\"" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
      return;
    WaitForInputIdle(process.hProcess, 30000);
    // The window may appear a little after the process goes idle for the first time.
    for (int attempt = 0; attempt < 600 && !window; ++attempt) {
      FindWindowOf search = {process.dwProcessId, nullptr};
      EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
      window = search.window;
      if (!window) Sleep(50);
    }
  }

  ~RunningStandin() {
    if (!process.hProcess) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  std::wstring Text(int id) const {
    wchar_t text[4096] = L"";
    SendMessageW(GetDlgItem(window, id), WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return text;
  }

  std::wstring Title() const {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
  }

  // Closes the window as its close box would; answers the exit code, or -1 if it stays.
  long Close() const {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
  }
};

// A folder of this test's own, with a space and Cyrillic letters in its name, holding one of
// the payload's documents.
const PayloadEntry& RowNamed(bool (*wanted)(const char* name)) {
  for (const PayloadEntry& entry : PayloadTable)
    if (wanted(entry.name)) return entry;
  ADD_FAILURE() << "no such payload row";
  return PayloadTable[0];
}

// The first of the demo project's settings documents, the kind the program is registered for.
const PayloadEntry& SettingsDocument() {
  return RowNamed([](const char* name) {
    const size_t length = strlen(name);
    return length > 4 && lstrcmpiA(name + length - 4, ".sfr") == 0;
  });
}

struct DocumentFolder {
  std::wstring folder;
  std::wstring document;
  int32_t size = 0;

  DocumentFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"Проект Вомар " + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const PayloadEntry& entry = SettingsDocument();
    document = folder + std::wstring(entry.name, entry.name + strlen(entry.name));
    size = entry.size;
    HANDLE file = CreateFileW(document.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, entry.data, entry.size, &written, nullptr);
    CloseHandle(file);
  }

  ~DocumentFolder() {
    DeleteFileW(document.c_str());
    RemoveDirectoryW(folder.c_str());
  }
};

const std::wstring Heading = L"Программатор микроконтроллеров\r\n\r\n";

}  // namespace

TEST(Standin, ShowsTheDocumentItWasStartedWith) {
  DocumentFolder documents;
  const std::wstring missing = documents.folder + L"нет такого.hex";
  struct Case {
    const char* what;
    std::wstring arguments;
    std::wstring text;
  };
  const Case cases[] = {
      {"a document", L" \"" + documents.document + L"\"",
       Heading + L"Документ: " + documents.document + L"\r\nРазмер: " + std::to_wstring(documents.size) + L" байт"},
      {"a missing document", L" \"" + missing + L"\"",
       Heading + L"Документ: " + missing + L"\r\nФайл не найден."},
      {"a folder", L" \"" + documents.folder.substr(0, documents.folder.size() - 1) + L"\"",
       Heading + L"Документ: " + documents.folder.substr(0, documents.folder.size() - 1) +
           L"\r\nФайл не найден."},
      {"no document", L"", Heading + L"Документ не открыт."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RunningStandin standin(c.arguments);
    ASSERT_NE(nullptr, standin.process.hProcess) << "cannot start the stand-in";
    ASSERT_NE(nullptr, standin.window) << "no window appeared";
    EXPECT_EQ(std::wstring(StandinTitle), standin.Title());
    EXPECT_EQ(std::wstring(L"" BRX_PRODUCT_TITLE), standin.Text(StandinHeadingId));
    EXPECT_EQ(c.text, standin.Text(StandinTextId));
    EXPECT_EQ(0, standin.Close());
  }
}

TEST(Standin, IsTheEmbeddedApplicationAWindowsProgramWithItsIcon) {
  const std::wstring path = StandinPath();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  const PayloadEntry& application = RowNamed([](const char* name) { return strcmp(name, ProgramFileName) == 0; });
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, &bytes[0], bytes.size(), &read, nullptr);
  CloseHandle(file);
  ASSERT_EQ(bytes.size(), static_cast<size_t>(application.size));
  EXPECT_EQ(0, memcmp(bytes.data(), application.data, bytes.size())) << "the payload holds another build";

  // The product carries a 32-bit application, its 64-bit twin a 64-bit one, so that the
  // installed program runs wherever the setup itself runs.
  const bool twin = sizeof(void*) == 8;
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(application.data);
  const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(application.data + dos->e_lfanew);
  ASSERT_EQ(IMAGE_NT_SIGNATURE, nt->Signature);
  EXPECT_EQ(twin ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
  EXPECT_EQ(twin ? IMAGE_NT_OPTIONAL_HDR64_MAGIC : IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
  EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);

  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  EXPECT_NE(nullptr, FindResourceW(module, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_GROUP_ICON)));
  FreeLibrary(module);
}
