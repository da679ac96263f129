// The built skyward-run.exe as a player meets it: what it says about its
// command line with a console and without one, and the resources it carries.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "lib/win32/win32.h"

namespace {

std::string Narrow(const wchar_t* text) {
  std::vector<char> narrow(wcslen(text) * 3 + 1);
  zuSystem::Narrow(text, narrow.data(), static_cast<int>(narrow.size()));
  return narrow.data();
}

const std::wstring kGame = std::filesystem::path(SKYWARD_BIN_DIR "/skyward-run.exe").wstring();

struct Outcome {
  DWORD status = 0xFFFFFFFF;
  std::string console, box, out;  // what each of them showed
};

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  auto* want = reinterpret_cast<std::pair<DWORD, HWND>*>(found);
  DWORD process = 0;
  wchar_t kind[16] = L"";
  GetWindowThreadProcessId(window, &process);
  GetClassNameW(window, kind, 16);
  if (process != want->first || std::wstring(kind) != L"#32770") return TRUE;
  want->second = window;
  return FALSE;
}

std::string ConsoleText() {
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO info;
  std::string text;
  if (console == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(console, &info)) return text;
  std::vector<wchar_t> row(static_cast<size_t>(info.dwSize.X) + 1, L'\0');
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    DWORD n = 0;
    ReadConsoleOutputCharacterW(console, row.data(), static_cast<DWORD>(info.dwSize.X), {0, y}, &n);
    text += Narrow(row.data()) + "\n";
  }
  CloseHandle(console);
  return text;
}

// Starts the game as the desktop or a command prompt does: no standard
// handles, unless standard output goes to `outFile`. With `console`, a console
// of ours is there for it to join; without, there is none.
Outcome Start(const std::wstring& args, bool console, const std::string& outFile = "") {
  Outcome o;
  FreeConsole();
  if (console && !AllocConsole()) return o;
  STARTUPINFOW start = {};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  if (!outFile.empty()) {
    start.hStdOutput = CreateFileA(outFile.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
  }
  std::wstring command = L"\"" + kGame + L"\" " + args;
  PROCESS_INFORMATION child = {};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, !outFile.empty(), 0,
                                      nullptr, nullptr, &start, &child);
  if (start.hStdOutput != nullptr) CloseHandle(start.hStdOutput);
  // A box waits for its OK: read it (it may come before its text) and press it.
  for (int i = 0; started && i < 300 && WaitForSingleObject(child.hProcess, 100) == WAIT_TIMEOUT; ++i) {
    std::pair<DWORD, HWND> want(child.dwProcessId, nullptr);
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&want));
    wchar_t text[4096] = L"";
    if (want.second == nullptr || GetDlgItemTextW(want.second, 0xFFFF, text, 4096) == 0) continue;
    o.box = Narrow(text);
    PostMessageW(want.second, WM_COMMAND, IDOK, 0);
  }
  if (started) {
    GetExitCodeProcess(child.hProcess, &o.status);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
  }
  if (console) o.console = ConsoleText();
  FreeConsole();
  std::ifstream in(outFile, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  o.out = ss.str();
  return o;
}

const std::regex kVersion("Skyward Run [0-9]+\\.[0-9]+");

}  // namespace

// From a command prompt the text reaches its console; from the desktop, a box:
// the version, a complaint, and how a playback ended (here: its file refused).
TEST(Program, VersionComplaintsAndAPlaybacksEndReachTheConsoleOrABox) {
  for (bool console : {true, false}) {
    Outcome o = Start(L"--version", console);
    EXPECT_EQ(o.status, 0u);
    EXPECT_TRUE(std::regex_search(console ? o.console : o.box, kVersion)) << o.console << o.box;
    o = Start(L"--fulscreen", console);
    EXPECT_EQ(o.status, 2u);
    EXPECT_NE((console ? o.console : o.box).find("unknown option '--fulscreen'"), std::string::npos)
        << o.console << o.box;
    o = Start(L"--replay no-such-run.skr", console);
    EXPECT_EQ(o.status, 2u);
    EXPECT_NE((console ? o.console : o.box).find("replay: cannot play no-such-run.skr: "), std::string::npos)
        << o.console << o.box;
  }
}

TEST(Program, HelpNamesOnlyWhatWindowsReads) {
  const Outcome o = Start(L"--help", false, testing::TempDir() + "help.txt");
  EXPECT_EQ(o.status, 0u);
  EXPECT_EQ(o.out.rfind("Usage: skyward-run", 0), 0u) << o.out;
  EXPECT_NE(o.out.find("LOCALAPPDATA"), std::string::npos);
  for (const char* other : {"SDL_", "XDG_DATA_HOME", "$HOME", "SKYWARD_PRESENT"}) {
    EXPECT_EQ(o.out.find(other), std::string::npos) << other;
  }
}

TEST(Program, CarriesItsIconVersionAndManifest) {
  HMODULE exe = LoadLibraryExW(kGame.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  // The icon the window class asks for, at five sizes.
  HRSRC group = FindResourceW(exe, L"MAIN", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const WORD*>(LockResource(LoadResource(exe, group)));
  EXPECT_EQ(directory[2], 5);
  // The manifest: per-monitor DPI awareness, the Windows versions it was made for.
  HRSRC manifest = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(exe, manifest))),
                         SizeofResource(exe, manifest));
  for (const char* part : {">PerMonitorV2", ">true/pm<", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
  FreeLibrary(exe);
  // The version block, as Explorer's properties show it.
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(kGame.c_str(), &ignored));
  ASSERT_TRUE(!block.empty() &&
              GetFileVersionInfoW(kGame.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  const auto value = [&block](const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    return VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) ? Narrow(text)
                                                                                                : std::string();
  };
  EXPECT_EQ(value(L"ProductName"), "Skyward Run");
  EXPECT_TRUE(std::regex_match(value(L"ProductVersion"), std::regex("[0-9]+\\.[0-9]+")));
  EXPECT_NE(value(L"FileDescription").find("shoot-'em-up"), std::string::npos);
}
