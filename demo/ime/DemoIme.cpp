// The demo input method: an IMM32 IME that types, for each code of lower-case letters, the
// text its code table gives. The table is the `.MB` of the module's own base name in the
// folder it was loaded from, UTF-8 lines "<letters>\t<text>". The IME has no windows of its
// own; its messages go through the input context's message buffer, which the manager reads
// the same way in 32-bit and 64-bit processes.
#include "ImeInterface.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace {

constexpr wchar_t kUiClass[] = L"LCDemoImeUI";
constexpr size_t kMaxCode = 16;
constexpr size_t kMaxText = 64;
constexpr DWORD kMaxTableBytes = 1 << 20;

struct Entry {
    std::wstring code;
    std::wstring text;
};

// The module and its code table, for the life of the process.
struct DemoIme {
    HINSTANCE module = nullptr;
    std::vector<Entry> table;
};
DemoIme ime;

// The composition string block: the pending code and the last committed text.
struct CompString {
    COMPOSITIONSTRING header;
    wchar_t code[kMaxCode];
    wchar_t result[kMaxText];
};

class LockedContext {
public:
    explicit LockedContext(HIMC imc) : imc_(imc), ic_(imc ? ImmLockIMC(imc) : nullptr) {}
    ~LockedContext() { if (ic_) ImmUnlockIMC(imc_); }
    LockedContext(const LockedContext&) = delete;
    LockedContext& operator=(const LockedContext&) = delete;
    INPUTCONTEXT* get() const { return ic_; }
    INPUTCONTEXT* operator->() const { return ic_; }
    explicit operator bool() const { return ic_ != nullptr; }

private:
    HIMC imc_;
    INPUTCONTEXT* ic_;
};

template <typename T>
class LockedBlock {
public:
    explicit LockedBlock(HIMCC block) : block_(block), data_(static_cast<T*>(ImmLockIMCC(block))) {}
    ~LockedBlock() { if (data_) ImmUnlockIMCC(block_); }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    T* get() const { return data_; }

private:
    HIMCC block_;
    T* data_;
};

std::wstring TablePath() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(ime.module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::wstring file(path, n);
    size_t slash = file.find_last_of(L"\\/");
    size_t dot = file.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) dot = file.size();
    return file.substr(0, dot) + L".MB";
}

std::vector<Entry> ReadTable(const std::wstring& path) {
    const lcime::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes(std::min<DWORD>(GetFileSize(file.get(), nullptr), kMaxTableBytes), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), (DWORD)bytes.size(), &read, nullptr)) return {};
    std::wstring text(read, L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)read, text.data(), (int)read));

    std::vector<Entry> table;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        size_t tab = line.find(L'\t');
        if (tab == std::wstring::npos || tab == 0 || tab >= kMaxCode) continue;
        Entry entry{line.substr(0, tab), line.substr(tab + 1)};
        if (entry.code.find_first_not_of(L"abcdefghijklmnopqrstuvwxyz") != std::wstring::npos) continue;
        if (entry.text.empty() || entry.text.size() >= kMaxText) continue;
        table.push_back(entry);
    }
    return table;
}

// The entry whose code is exactly `code`, and whether some code begins with it.
const Entry* Match(const std::wstring& code, bool& isPrefix) {
    isPrefix = false;
    for (const Entry& entry : ime.table) {
        if (entry.code == code) return &entry;
        if (entry.code.compare(0, code.size(), code) == 0) isPrefix = true;
    }
    return nullptr;
}

// Appends messages to the context's message buffer for the manager to deliver.
void Queue(INPUTCONTEXT* ic, const std::vector<TRANSMSG>& messages) {
    if (messages.empty()) return;
    DWORD count = ic->dwNumMsgBuf + (DWORD)messages.size();
    HIMCC buffer = ImmReSizeIMCC(ic->hMsgBuf, count * sizeof(TRANSMSG));
    if (!buffer) return;
    ic->hMsgBuf = buffer;
    LockedBlock<TRANSMSG> list(buffer);
    for (size_t i = 0; i < messages.size(); ++i) list.get()[ic->dwNumMsgBuf + i] = messages[i];
    ic->dwNumMsgBuf = count;
}

// Adds one typed letter to the pending code: a complete code commits its text, a code's
// beginning stays pending, anything else starts again from the letter alone.
void Type(INPUTCONTEXT* ic, wchar_t letter) {
    LockedBlock<CompString> cs(ic->hCompStr);
    if (!cs.get() || ImmGetIMCCSize(ic->hCompStr) < sizeof(CompString)) return;
    COMPOSITIONSTRING& header = cs.get()->header;
    bool wasComposing = header.dwCompStrLen > 0;
    std::wstring code(cs.get()->code, header.dwCompStrLen);
    code += letter;
    bool isPrefix = false;
    const Entry* entry = Match(code, isPrefix);
    if (!entry && !isPrefix && code.size() > 1) entry = Match(code = letter, isPrefix);

    std::vector<TRANSMSG> messages;
    if (!wasComposing && (entry || isPrefix)) messages.push_back({WM_IME_STARTCOMPOSITION, 0, 0});
    header.dwResultStrLen = 0;
    header.dwCompStrLen = 0;
    if (entry) {
        entry->text.copy(cs.get()->result, entry->text.size());
        header.dwResultStrLen = (DWORD)entry->text.size();
        messages.push_back({WM_IME_COMPOSITION, entry->text[0], GCS_RESULTSTR});
        messages.push_back({WM_IME_ENDCOMPOSITION, 0, 0});
    } else if (isPrefix) {
        code.copy(cs.get()->code, code.size());
        header.dwCompStrLen = (DWORD)code.size();
        messages.push_back({WM_IME_COMPOSITION, letter, GCS_COMPSTR | GCS_CURSORPOS});
    } else if (wasComposing) {
        messages.push_back({WM_IME_ENDCOMPOSITION, 0, 0});
    }
    header.dwCursorPos = header.dwCompStrLen;
    Queue(ic, messages);
}

LRESULT CALLBACK UiWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing is shown: the IME messages routed to the UI window end here.
    if ((message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_KEYLAST) ||
        (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP))
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ime.module = module;
        DisableThreadLibraryCalls(module);
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_IME;
        wc.lpfnWndProc = UiWindowProc;
        wc.cbWndExtra = 2 * sizeof(LONG_PTR);  // the manager keeps the context there
        wc.hInstance = module;
        wc.lpszClassName = kUiClass;
        return RegisterClassExW(&wc) != 0;
    }
    if (reason == DLL_PROCESS_DETACH) UnregisterClassW(kUiClass, module);
    return TRUE;
}

BOOL WINAPI ImeInquire(IMEINFO* info, LPWSTR uiClass, DWORD) {
    ime.table = ReadTable(TablePath());
    *info = {};
    info->dwPrivateDataSize = sizeof(DWORD);
    info->fdwProperty = IME_PROP_UNICODE | IME_PROP_AT_CARET;
    info->fdwConversionCaps = IME_CMODE_NATIVE;
    info->fdwUICaps = UI_CAP_2700;
    lstrcpyW(uiClass, kUiClass);
    return TRUE;
}

BOOL WINAPI ImeSelect(HIMC imc, BOOL select) {
    LockedContext ic(imc);
    if (!ic) return FALSE;
    if (!select) return TRUE;
    HIMCC block = ImmReSizeIMCC(ic->hCompStr, sizeof(CompString));
    if (!block) return FALSE;
    ic->hCompStr = block;
    LockedBlock<CompString> cs(block);
    cs.get()->header = {};
    cs.get()->header.dwSize = sizeof(CompString);
    cs.get()->header.dwCompStrOffset = offsetof(CompString, code);
    cs.get()->header.dwResultStrOffset = offsetof(CompString, result);
    // Open at once, as a Chinese IME is when chosen.
    ic->fOpen = TRUE;
    ic->fdwConversion = IME_CMODE_NATIVE;
    return TRUE;
}

BOOL WINAPI ImeProcessKey(HIMC imc, UINT key, LPARAM keyData, const BYTE* keyState) {
    LockedContext ic(imc);
    bool keyDown = (keyData & 0x80000000) == 0;
    bool modified = (keyState[VK_SHIFT] | keyState[VK_CONTROL] | keyState[VK_MENU]) & 0x80;
    return ic && ic->fOpen && !ime.table.empty() && keyDown && !modified && key >= 'A' && key <= 'Z';
}

UINT WINAPI ImeToAsciiEx(UINT key, UINT, const BYTE*, TRANSMSGLIST*, UINT, HIMC imc) {
    {
        LockedContext ic(imc);
        if (!ic) return 0;
        Type(ic.get(), wchar_t(L'a' + (LOWORD(key) - 'A')));
    }
    ImmGenerateMessage(imc);
    return 0;
}

BOOL WINAPI ImeSetActiveContext(HIMC, BOOL) { return TRUE; }
BOOL WINAPI ImeDestroy(UINT) { return TRUE; }
BOOL WINAPI NotifyIME(HIMC, DWORD, DWORD, DWORD) { return FALSE; }

// What the demo does not offer: configuration, conversion lists, user words, menus.
BOOL WINAPI ImeConfigure(HKL, HWND, DWORD, LPVOID) { return FALSE; }
DWORD WINAPI ImeConversionList(HIMC, LPCWSTR, LPCANDIDATELIST, DWORD, UINT) { return 0; }
LRESULT WINAPI ImeEscape(HIMC, UINT, LPVOID) { return 0; }
BOOL WINAPI ImeRegisterWord(LPCWSTR, DWORD, LPCWSTR) { return FALSE; }
BOOL WINAPI ImeUnregisterWord(LPCWSTR, DWORD, LPCWSTR) { return FALSE; }
UINT WINAPI ImeGetRegisterWordStyle(UINT, LPSTYLEBUFW) { return 0; }
UINT WINAPI ImeEnumRegisterWord(REGISTERWORDENUMPROCW, LPCWSTR, DWORD, LPCWSTR, LPVOID) { return 0; }
BOOL WINAPI ImeSetCompositionString(HIMC, DWORD, LPCVOID, DWORD, LPCVOID, DWORD) { return FALSE; }
DWORD WINAPI ImeGetImeMenuItems(HIMC, DWORD, DWORD, LPIMEMENUITEMINFOW, LPIMEMENUITEMINFOW, DWORD) {
    return 0;
}

}  // extern "C"
