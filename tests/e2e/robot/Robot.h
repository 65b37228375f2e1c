// A small robot for the end-to-end suites: runs inside the Wine prefix of the program under
// test and drives it as a person would (windows, mouse, keys, pixels, texts), then reads back
// files, the clipboard and the registry. Every wait polls a condition with a deadline.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lcime::robot {

// Deadlines sized for a loaded two-core machine.
constexpr DWORD kFirstWindowMs = 90000;  // start of a program to its first window
constexpr DWORD kWaitMs = 20000;         // any later change on screen or on disk

// Polls `probe` every few milliseconds until it holds or `timeoutMs` passes.
bool Poll(const std::function<bool()>& probe, DWORD timeoutMs = kWaitMs);

// ---- the build under test and its medium ----------------------------------------------------

// Programs the runner passes in the environment (LCIME_SETUP_EXE, LCIME_IME_MODULE,
// LCIME_STANDIN_EXE, Unix paths), here as Windows paths.
struct BuildUnderTest {
    std::filesystem::path setupExe, imeModule, standinExe;
};
BuildUnderTest Build();

// The medium's root (drive M:, mapped by the runner to this suite's own folder).
std::filesystem::path Medium();
// Lays out the demo medium from Build() at Medium(); throws on a file error.
void LayOutMedium();

// The system directory Setup.exe copies into (the one of this suite's bitness), and the other
// one (the 64-bit system32 under WoW64, syswow64 for a 64-bit build), as Unix-backed Z: paths
// inside the prefix so no file-system redirection applies. `other` is empty when absent.
struct SystemDirs {
    std::filesystem::path installed, other;
};
SystemDirs SystemDirectories();

std::string ReadFileBytes(const std::filesystem::path& file);  // empty when unreadable
bool RemoveFile(const std::filesystem::path& file);             // true when gone afterwards

// ---- processes ------------------------------------------------------------------------------

// A started process; ends it with exit code 1 if it is still running at destruction.
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // CreateProcessW with `showWindow` in STARTUPINFO; false when the start failed.
    bool Start(const std::wstring& commandLine, const std::filesystem::path& currentDir,
               WORD showWindow = SW_SHOWDEFAULT);
    bool Running() const;
    // Waits for the end; true with the exit code when it ended in time.
    bool WaitExit(DWORD& exitCode, DWORD timeoutMs = kWaitMs);
    void Kill();
    DWORD Id() const { return id_; }

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Starts M:\Setup.exe with M:\ as the current directory.
bool StartSetup(Process& setup, WORD showWindow = SW_SHOWDEFAULT);

// ---- windows --------------------------------------------------------------------------------

std::wstring TitleOf(HWND window);
std::wstring ClassOf(HWND window);
// WM_GETTEXT, also for controls of another process.
std::wstring TextOf(HWND window);

// The first visible top-level window with this title, class and process (each left out
// when empty or 0).
HWND FindTopWindow(const std::wstring& title, const std::wstring& cls = L"", DWORD pid = 0);
HWND WaitTopWindow(const std::wstring& title, const std::wstring& cls = L"", DWORD pid = 0,
                   DWORD timeoutMs = kWaitMs);
HWND WaitTopWindowOfClass(const std::wstring& cls, DWORD pid, DWORD timeoutMs = kWaitMs);
// Every visible top-level window of a process.
std::vector<HWND> TopWindowsOf(DWORD pid);
bool WaitGone(HWND window, DWORD timeoutMs = kWaitMs);

// The client area in screen coordinates.
RECT ClientRectOnScreen(HWND window);

struct Child {
    HWND window;
    std::wstring cls;
    int id;
    bool visible;
    std::wstring text;
};
// Every descendant control, in Z order.
std::vector<Child> Children(HWND parent);

// ---- dialogs and message boxes --------------------------------------------------------------

// A message box's text (its static control 0xFFFF).
std::wstring MessageText(HWND box);
// Clicks a dialog's button by posting BM_CLICK.
bool PressButton(HWND dialog, int id = IDOK);
// Posts the system close command (the close box).
bool CloseBox(HWND window);

// ---- mouse and keys -------------------------------------------------------------------------

// Puts the X pointer and Wine's pointer on a client point of `window` and checks both agree.
bool MoveTo(HWND window, POINT client);
bool Click(HWND window, POINT client);
// Presses at `from`, moves to `to`, releases: selects text in an edit box.
bool Drag(HWND window, POINT from, POINT to);
// Brings the top-level window of `window` to the front, then presses the keys together and
// releases them in reverse order, e.g. {VK_CONTROL, 'C'}, {VK_MENU, VK_F4}, {'A'}.
bool Keys(HWND window, const std::vector<WORD>& chord);

// ---- pixels ---------------------------------------------------------------------------------

// The pixels of a client rectangle, row by row (one BitBlt of the screen).
std::vector<COLORREF> Capture(HWND window, const RECT& client);

// ---- clipboard and registry -----------------------------------------------------------------

std::wstring ClipboardText();
bool ClearClipboard();

// One subkey of HKLM\System\CurrentControlSet\Control\Keyboard Layouts.
struct KeyboardLayout {
    std::wstring key, layoutText, imeFile;
};
std::vector<KeyboardLayout> KeyboardLayouts();
// Deletes the layout keys that name an IME file (the ones installs add).
void RemoveImeLayouts();

// ---- text -----------------------------------------------------------------------------------

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace lcime::robot
