// Test driver for PemzCalc.exe: process, input, clipboard, registry and screen helpers.
#include "tests/ui/Driver.h"

#include <psapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>

namespace e2e {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount() - start >= timeoutMs) return condition();
        ::Sleep(2);
    }
}

void EndProcessOf(HWND window, DWORD timeoutMs) {
    DWORD processId = 0;
    if (!window || !::GetWindowThreadProcessId(window, &processId)) return;
    UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return;
    ::TerminateProcess(process.get(), 1);
    ::WaitForSingleObject(process.get(), timeoutMs);
}

std::string ToWindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string result = "Z:" + path;
    for (char& c : result)
        if (c == '/') c = '\\';
    return result;
}

std::string ProgramPath() { return ToWindowsPath(PEMZ_PROGRAM_PATH); }
std::string RecorderPath() { return ToWindowsPath(PEMZ_RECORDER_PATH); }

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// ---- Registry -----------------------------------------------------------------
namespace reg {

void DeleteTree(HKEY root, const std::string& key) { ::SHDeleteKeyA(root, key.c_str()); }

bool KeyExists(HKEY root, const std::string& key) {
    fw::UniqueKey handle;
    return ::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, handle.put()) == ERROR_SUCCESS;
}

static void SetValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data,
                     DWORD size) {
    fw::UniqueKey handle;
    if (::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, handle.put(), nullptr) == ERROR_SUCCESS)
        ::RegSetValueExA(handle.get(), name.empty() ? nullptr : name.c_str(), 0, type, static_cast<const BYTE*>(data),
                         size);
}

void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value) {
    SetValue(root, key, name, REG_DWORD, &value, sizeof value);
}

void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    SetValue(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// Reads a value's type and bytes; empty when the key or the value is missing.
static std::optional<std::pair<DWORD, std::vector<BYTE>>> GetValue(HKEY root, const std::string& key,
                                                                   const std::string& name) {
    fw::UniqueKey handle;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, handle.put()) != ERROR_SUCCESS) return std::nullopt;
    const char* valueName = name.empty() ? nullptr : name.c_str();
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(handle.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data(size + 1);
    if (::RegQueryValueExA(handle.get(), valueName, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return std::make_pair(type, std::move(data));
}

std::optional<DWORD> GetDword(HKEY root, const std::string& key, const std::string& name) {
    auto value = GetValue(root, key, name);
    if (!value || value->first != REG_DWORD || value->second.size() != sizeof(DWORD)) return std::nullopt;
    DWORD result;
    std::memcpy(&result, value->second.data(), sizeof result);
    return result;
}

std::optional<std::string> GetString(HKEY root, const std::string& key, const std::string& name) {
    auto value = GetValue(root, key, name);
    if (!value || value->first != REG_SZ) return std::nullopt;
    // The text up to its terminator: a stored text may or may not carry one.
    std::string text(value->second.begin(), value->second.end());
    return text.substr(0, text.find('\0'));
}

}  // namespace reg

void CleanProgramRegistry() {
    reg::DeleteTree(HKEY_CURRENT_USER, "Software\\Pemz");
    reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Pemz");
    reg::DeleteTree(HKEY_CLASSES_ROOT, "PemzCalc");
    reg::DeleteTree(HKEY_LOCAL_MACHINE, reg::kAppPathKey);
}

namespace {
constexpr const char* kTestHtmlClass = "PemzTestPage";
}

HiddenUserChoice::HiddenUserChoice() : previousClass_(reg::GetString(HKEY_CURRENT_USER, kKey, "ProgId")) {
    if (previousClass_) reg::SetString(HKEY_CURRENT_USER, kKey, "ProgId", "");
}

HiddenUserChoice::~HiddenUserChoice() {
    if (previousClass_) reg::SetString(HKEY_CURRENT_USER, kKey, "ProgId", *previousClass_);
}

TemporaryHtmlClass::TemporaryHtmlClass(const std::string& openCommand)
    : keyExisted_(reg::KeyExists(HKEY_CLASSES_ROOT, ".htm")),
      previousClass_(reg::GetString(HKEY_CLASSES_ROOT, ".htm", "")) {
    reg::SetString(HKEY_CLASSES_ROOT, std::string(kTestHtmlClass) + "\\shell\\open\\command", "", openCommand);
    reg::SetString(HKEY_CLASSES_ROOT, ".htm", "", kTestHtmlClass);
}

TemporaryHtmlClass::~TemporaryHtmlClass() {
    reg::DeleteTree(HKEY_CLASSES_ROOT, kTestHtmlClass);
    if (!keyExisted_)
        reg::DeleteTree(HKEY_CLASSES_ROOT, ".htm");
    else
        reg::SetString(HKEY_CLASSES_ROOT, ".htm", "", previousClass_.value_or(""));
}

HiddenHtmlClass::HiddenHtmlClass() : previousClass_(reg::GetString(HKEY_CLASSES_ROOT, ".htm", "")) {
    // An empty class name is what "no browser" means to the program; the key's
    // other contents stay untouched.
    if (previousClass_) reg::SetString(HKEY_CLASSES_ROOT, ".htm", "", "");
}

HiddenHtmlClass::~HiddenHtmlClass() {
    if (previousClass_) reg::SetString(HKEY_CLASSES_ROOT, ".htm", "", *previousClass_);
}

MapiSetting::MapiSetting(const char* value) {
    char buffer[64];
    const char* absent = "\x01";
    ::GetProfileStringA("MAIL", "MAPI", absent, buffer, sizeof buffer);
    if (std::strcmp(buffer, absent) != 0) previous_ = buffer;
    ::WriteProfileStringA("MAIL", "MAPI", value);
}

MapiSetting::~MapiSetting() { ::WriteProfileStringA("MAIL", "MAPI", previous_ ? previous_->c_str() : nullptr); }

// ---- Clipboard ----------------------------------------------------------------
namespace {
// OpenClipboard fails while another process holds the clipboard: retry briefly.
bool OpenClipboardSoon() {
    return WaitFor([] { return ::OpenClipboard(nullptr) != FALSE; }, 1000);
}

// Places `size` bytes in `format`, written by `fill`; the clipboard is open.
template <typename Fill>
bool PlaceOnClipboard(UINT format, size_t size, Fill fill) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return false;
    fill(::GlobalLock(memory));
    ::GlobalUnlock(memory);
    if (::SetClipboardData(format, memory)) return true;
    ::GlobalFree(memory);
    return false;
}
}  // namespace

bool SetClipboardText(const std::string& text, bool alsoUnicode) {
    if (!OpenClipboardSoon()) return false;
    ::EmptyClipboard();
    bool placed =
        PlaceOnClipboard(CF_TEXT, text.size() + 1, [&](void* to) { std::memcpy(to, text.c_str(), text.size() + 1); });
    if (placed && alsoUnicode) {
        const int units = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        placed = PlaceOnClipboard(CF_UNICODETEXT, units * sizeof(wchar_t), [&](void* to) {
            ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, static_cast<wchar_t*>(to), units);
        });
    }
    ::CloseClipboard();
    return placed;
}

std::optional<std::string> ClipboardText() {
    if (!OpenClipboardSoon()) return std::nullopt;
    std::optional<std::string> result;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(::GlobalLock(data))) {
            result = std::string(text);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return result;
}

// ---- Screen -------------------------------------------------------------------
bool Image::IsUniform() const {
    for (COLORREF p : pixels)
        if (p != pixels.front()) return false;
    return true;
}

int Image::Count(COLORREF colour) const {
    int n = 0;
    for (COLORREF p : pixels) n += p == colour;
    return n;
}

namespace {
// `area` of the device context of `window`, or of the screen for none.
Image Capture(HWND window, const RECT& area) {
    Image image;
    image.width = area.right - area.left;
    image.height = area.bottom - area.top;
    if (image.width <= 0 || image.height <= 0) return image;
    fw::WindowDc screen(window);
    fw::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    fw::UniqueBitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return image;
    {
        fw::SelectGuard select(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, image.width, image.height, screen.get(), area.left, area.top, SRCCOPY);
        ::GdiFlush();
    }
    const auto* raw = static_cast<const DWORD*>(bits);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
    return image;
}
}  // namespace

Image CaptureScreen(const RECT& area) { return Capture(nullptr, area); }

Image CaptureClient(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return Capture(window, client);
}

COLORREF ScreenPixel(int x, int y) {
    RECT one{x, y, x + 1, y + 1};
    Image image = CaptureScreen(one);
    return image.pixels.empty() ? CLR_INVALID : image.pixels[0];
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

RECT ClientRectOnScreen(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

ScreenSampler::ScreenSampler(const RECT& area) : area_(area) {
    thread_ = std::thread([this] {
        while (!stop_.load()) {
            Image image = CaptureScreen(area_);
            ++captures_;
            if (images_.empty() || images_.back() != image) images_.push_back(std::move(image));
        }
    });
    // The action under watch starts only once the sampler is really looking: a busy
    // machine can otherwise let a whole 30 ms flash pass before the first capture.
    while (captures_.load() == 0) std::this_thread::yield();
}

ScreenSampler::~ScreenSampler() { Stop(); }

std::vector<Image> ScreenSampler::Stop() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
    return images_;
}

// ---- The program ----------------------------------------------------------------
namespace {
constexpr int kPrecisionSelector = 1029;

const std::map<std::string, int>& KeyCaptions() {
    // clang-format off
    static const std::map<std::string, int> captions = {
        {"0", 1000},  {"1", 1001},   {"2", 1002},   {"3", 1003},  {"4", 1004},  {"5", 1005},  {"6", 1006},
        {"7", 1007},  {"8", 1008},   {"9", 1009},   {"+", 1010},  {"-", 1011},  {"*", 1012},  {"/", 1013},
        {"+/-", 1014}, {",", 1015},  {"%", 1017},   {"M+", 1018}, {"MS", 1019}, {"=", 1020},  {"C", 1021},
        {"CE", 1022}, {"<-", 1023},  {"MR", 1024},  {"MC", 1025}, {"1/x", 1026},
    };
    // clang-format on
    return captions;
}

bool IsExtendedKey(UINT vk) {
    switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return true;
    default: return false;
    }
}
}  // namespace

int KeyId(const std::string& caption) {
    auto it = KeyCaptions().find(caption);
    return it == KeyCaptions().end() ? 0 : it->second;
}

std::wstring WideText(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                          wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

Program::Program(const std::string& path) : Program(WideText(path)) {}

Program::Program(std::wstring path) : path_(std::move(path)) {
    // AttachThreadInput needs a message queue on this side too.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

Program::~Program() {
    if (Running()) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

bool Program::Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

std::string Program::Start(bool onlyCreated) {
    const std::wstring directory = path_.substr(0, std::min(path_.find_last_of(L"\\/"), path_.size()));
    std::wstring commandLine = L"\"" + path_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(path_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          directory.size() == path_.size() ? nullptr : directory.c_str(), &startup, &info))
        return "cannot start the program (error " + std::to_string(::GetLastError()) + ")";
    process_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
    processId_ = info.dwProcessId;
    const bool found = WaitFor(
        [&] {
            window_ = FindWindowByCaption(kCaption, !onlyCreated);
            return window_ != nullptr || !Running();
        },
        15000);
    if (!found || !window_) return "no window captioned \"Calculatrice Pemz\" appeared";
    threadId_ = ::GetWindowThreadProcessId(window_, nullptr);
    if (onlyCreated) return {};
    // The dialog is fully initialised once it handles posted messages.
    return Sync() && WaitUntilPainted() ? std::string() : "the window does not answer";
}

namespace {
// The PEB's GdiSharedHandleTable: 0x10000 entries of 24 bytes (object 8, owner 4,
// unique 2, type 1, flags 1, user 8) on both architectures; a non-zero type is a live
// object. The program has the driver's architecture, so its PEB has the driver's layout.
constexpr ULONG_PTR kPebGdiTable = sizeof(void*) == 4 ? 0x94 : 0xF8;
constexpr ULONG_PTR kPeb64GdiTable = 0xF8;
// A 32-bit program in a 64-bit prefix: Wine leaves the 32-bit PEB's field 0 and fills
// the 64-bit PEB's, which it puts one page below the 32-bit one.
constexpr ULONG_PTR kPeb64Offset = 0x1000;
constexpr size_t kGdiEntries = 0x10000;
constexpr size_t kGdiEntrySize = 24;
constexpr size_t kGdiTypeOffset = 14;

struct BasicInformation {  // PROCESS_BASIC_INFORMATION, with the padding of either architecture
    LONG_PTR exitStatus;
    ULONG_PTR pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG_PTR basePriority;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR parentProcessId;
};

template <class Pointer>
bool ReadPointer(HANDLE process, ULONG_PTR address, ULONGLONG& value) {
    Pointer read{};
    SIZE_T count = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<void*>(address), &read, sizeof read, &count)) return false;
    value = read;
    return true;
}

int CountGdiObjects(HANDLE process) {
    using QueryFunction = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    BasicInformation basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0) return -1;
    ULONGLONG table = 0;
    if (!ReadPointer<ULONG_PTR>(process, basic.pebBaseAddress + kPebGdiTable, table)) return -1;
    if (table == 0 && sizeof(void*) == 4 &&
        !ReadPointer<ULONGLONG>(process, basic.pebBaseAddress - kPeb64Offset + kPeb64GdiTable, table))
        return -1;
    if (table == 0 || table > std::numeric_limits<ULONG_PTR>::max()) return -1;
    std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<ULONG_PTR>(table)), entries.data(),
                             entries.size(), &read))
        return -1;
    int live = 0;
    for (size_t i = 0; i < kGdiEntries; ++i) live += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
    return live;
}

struct WindowCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == c->processId) {
        ++c->count;
        ::EnumChildWindows(window, CountChild, param);
    }
    return TRUE;
}
}  // namespace

ProcessResources Program::Resources() const {
    ProcessResources resources;
    if (!process_) return resources;
    resources.gdiObjects = CountGdiObjects(process_.get());
    WindowCount windows{processId_, 0};
    ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    resources.windows = windows.count;
    // The commit charge: Windows reports the same number as PrivateUsage, which Wine
    // leaves at 0 for another process.
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process_.get(), &memory, sizeof memory)) resources.privateBytes = memory.PagefileUsage;
    return resources;
}

bool Program::WaitForExit(DWORD timeoutMs) {
    return !process_ || ::WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

namespace {
struct WindowSearch {
    DWORD processId;
    const std::string* caption;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid != s->processId || (s->visibleOnly && !::IsWindowVisible(window))) return TRUE;
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof text);
    if (*s->caption != text) return TRUE;
    s->found = window;
    return FALSE;
}
}  // namespace

HWND Program::FindWindowByCaption(const std::string& caption, bool visibleOnly) const {
    WindowSearch search{processId_, &caption, visibleOnly, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForWindow(const std::string& caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowByCaption(caption, true)) != nullptr; }, timeoutMs);
    return found;
}

bool Program::WindowGone(HWND window, DWORD timeoutMs) const {
    return WaitFor([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, timeoutMs);
}

std::string Program::TextOf(HWND control) {
    if (!control) return "<no control>";
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &length))
        return "<no answer>";
    std::vector<char> buffer(length + 2, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                          kWaitMs, &copied);
    return std::string(buffer.data());
}

void Program::SetTextOf(HWND control, const std::string& text) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kWaitMs,
                          &result);
}

HWND Program::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

int Program::FocusId() const {
    HWND focus = Focus();
    return focus ? ::GetDlgCtrlID(focus) : 0;
}

bool Program::Sync() {
    // The precision selector's item data is never used by the program: a value
    // posted there and read back shows that everything posted before it was handled.
    HWND selector = Item(kPrecisionSelector);
    if (!selector) return false;
    const LPARAM marker = ++marker_ ^ 0x5A000000;
    if (!::PostMessageA(selector, CB_SETITEMDATA, 0, marker)) return false;
    bool answered = false;
    WaitFor([&] {
        if (!::IsWindow(selector)) return true;  // the program has closed: nothing more to wait for
        DWORD_PTR data = 0;
        answered = ::SendMessageTimeoutA(selector, CB_GETITEMDATA, 0, 0, SMTO_ABORTIFHUNG, 500, &data) &&
                   static_cast<LPARAM>(data) == marker;
        return answered;
    });
    return answered;
}

namespace {
BOOL CALLBACK FindInvalidChild(HWND child, LPARAM param) {
    if (!::IsWindowVisible(child) || !::GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
}
}  // namespace

bool Program::WaitUntilPainted() {
    const bool painted = WaitFor([&] {
        if (::GetUpdateRect(window_, nullptr, FALSE)) return false;
        bool invalid = false;
        ::EnumChildWindows(window_, FindInvalidChild, reinterpret_cast<LPARAM>(&invalid));
        return !invalid;
    });
    // The program looks at its queue again after painting: the drawing is on the screen.
    return Sync() && painted;
}

bool Program::PressOnKeyboard(UINT vk) {
    ::SetForegroundWindow(window_);
    if (!WaitFor([&] { return ::GetForegroundWindow() == window_; })) return false;
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = static_cast<WORD>(vk);
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return ::SendInput(2, keys, sizeof(INPUT)) == 2;
}

void Program::PressKey(UINT vk, unsigned modifiers) {
    HWND target = Focus();
    if (!target) target = window_;
    const bool alt = modifiers & kAlt;
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(vk, 0)) << 16;
    const LPARAM flags = 1 | scan | (IsExtendedKey(vk) ? (1 << 24) : 0) | (alt ? (1 << 29) : 0);
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    // The second marker waits for the characters that translating the keys posted behind the first.
    if (modifiers == kNoModifier) {
        ::PostMessageA(target, down, vk, flags);
        ::PostMessageA(target, up, vk, flags | 0xC0000000);
        Sync();
        Sync();
        return;
    }
    // Accelerators and TranslateMessage read the modifier state when the
    // program handles the key: hold it through the shared input state until then.
    const DWORD self = ::GetCurrentThreadId();
    ::AttachThreadInput(self, threadId_, TRUE);
    BYTE saved[256], held[256];
    ::GetKeyboardState(saved);
    std::memcpy(held, saved, sizeof held);
    if (modifiers & kShift) held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    if (modifiers & kCtrl) held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    if (alt) held[VK_MENU] = held[VK_LMENU] = 0x80;
    ::SetKeyboardState(held);
    ::PostMessageA(target, down, vk, flags);
    ::PostMessageA(target, up, vk, flags | 0xC0000000);
    Sync();
    Sync();
    ::SetKeyboardState(saved);
    ::AttachThreadInput(self, threadId_, FALSE);
}

void Program::Type(const std::string& characters) {
    for (char c : characters) {
        const SHORT key = ::VkKeyScanA(c);
        if (key == -1) continue;
        PressKey(LOBYTE(key), (HIBYTE(key) & 1) ? kShift : kNoModifier);
    }
}

bool Program::Click(HWND control) {
    if (!control) return false;
    const RECT r = WindowRect(control);
    // Every event carries the point, as a mouse's do: none can act at a stale cursor position.
    const int x = ((r.left + r.right) / 2 * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN);
    const int y = ((r.top + r.bottom) / 2 * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN);
    auto capture = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(threadId_, &info);
        return info.hwndCapture;
    };
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    // Every control clicked here (keys, buttons, edits) captures the mouse while pressed:
    // releasing the button only after the press was seen, and waiting for the capture to
    // end, keeps clicks apart. A posted marker would overtake the queued mouse input.
    const bool captured = WaitFor([&] { return capture() != nullptr; });
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    return captured && WaitFor([&] { return capture() == nullptr; }) && Sync();
}

bool Program::ClickKeys(const std::string& script) {
    size_t pos = 0;
    while (pos < script.size()) {
        const size_t end = script.find(' ', pos);
        const std::string caption = script.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? script.size() : end + 1;
        if (caption.empty()) continue;
        // A run of digits is clicked digit by digit: "999" is three clicks.
        const bool number = caption.find_first_not_of("0123456789") == std::string::npos;
        if (number) {
            for (char digit : caption)
                if (!ClickItem(KeyId(std::string(1, digit)))) return false;
        } else if (!ClickItem(KeyId(caption))) {
            return false;
        }
    }
    return true;
}

void Program::Command(UINT id) { ::PostMessageA(window_, WM_COMMAND, id, 0); }

void Program::SelectPrecision(int index) {
    HWND selector = Item(kPrecisionSelector);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(selector, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kWaitMs, &result);
    ::PostMessageA(window_, WM_COMMAND, MAKEWPARAM(kPrecisionSelector, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(selector));
    Sync();
}

}  // namespace e2e
