// Drives the real PemzCalc.exe from a separate test process, as a user would:
// keyboard input through the program's own queue, mouse clicks at on-screen
// positions, menu commands, the real clipboard, registry and screen.
#ifndef PEMZ_TESTS_UI_DRIVER_H
#define PEMZ_TESTS_UI_DRIVER_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "framework/UniqueHandle.h"

namespace e2e {

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
using UniqueKernelHandle = fw::UniqueHandle<KernelHandleTraits>;

// Only a limit that turns a hang into a failure: a condition that holds ends the
// wait at once, so a loaded machine needs room here, not a longer test.
constexpr DWORD kWaitMs = 20000;

// Ends the process that owns the window (a viewer a failed test left open) and waits for its end.
void EndProcessOf(HWND window, DWORD timeoutMs = kWaitMs);

// Wine's WinHelp viewer (winhlp32, a process of its own), and the "ERROR" box it shows
// for a help file it cannot find.
constexpr DWORD kViewerWaitMs = 30000;  // the first start of the viewer is slow
inline HWND WinHelpViewer() { return ::FindWindowA("MS_WINHELP", nullptr); }
inline HWND WinHelpErrorBox() { return ::FindWindowA(nullptr, "ERROR"); }

// A text in the ANSI code page, as UTF-16.
std::wstring WideText(const std::string& text);

// Polls until the condition holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

// "/a/b" (a path of the Linux build tree) becomes "Z:\a\b", Wine's view of it.
std::string ToWindowsPath(const std::string& path);
std::string ProgramPath();
std::string RecorderPath();
std::string DirectoryOf(const std::string& path);

// ---- Registry -----------------------------------------------------------------
namespace reg {
constexpr const char* kProgramKey = "Software\\Pemz\\PemzCalc";
constexpr const char* kParityKey = "Software\\Pemz";
constexpr const char* kAppPathKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\PemzCalc.EXE";

void DeleteTree(HKEY root, const std::string& key);
bool KeyExists(HKEY root, const std::string& key);
void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
std::optional<DWORD> GetDword(HKEY root, const std::string& key, const std::string& name);
std::optional<std::string> GetString(HKEY root, const std::string& key, const std::string& name);

// Shortcuts for the program's per-user settings.
inline std::optional<DWORD> Setting(const std::string& name) { return GetDword(HKEY_CURRENT_USER, kProgramKey, name); }
inline void SetSetting(const std::string& name, DWORD value) { SetDword(HKEY_CURRENT_USER, kProgramKey, name, value); }
}  // namespace reg

// Removes everything the program writes: settings, placement, parity, shell class, App Paths entry.
void CleanProgramRegistry();

// Empties the class the user chose for http (Wine, like Windows 8 and later, names one)
// for the object's lifetime, so that the ".htm" class decides.
class HiddenUserChoice {
public:
    static constexpr const char* kKey =
        "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
    HiddenUserChoice();
    ~HiddenUserChoice();
    HiddenUserChoice(const HiddenUserChoice&) = delete;
    HiddenUserChoice& operator=(const HiddenUserChoice&) = delete;

private:
    std::optional<std::string> previousClass_;
};

// Registers ".htm" as a class whose open command is the given command for the
// object's lifetime; puts back what ".htm" held before.
class TemporaryHtmlClass {
public:
    explicit TemporaryHtmlClass(const std::string& openCommand);
    ~TemporaryHtmlClass();
    TemporaryHtmlClass(const TemporaryHtmlClass&) = delete;
    TemporaryHtmlClass& operator=(const TemporaryHtmlClass&) = delete;

private:
    HiddenUserChoice userChoice_;
    bool keyExisted_;
    std::optional<std::string> previousClass_;
};

// Hides ".htm" (the browser lookup finds no class) for the object's lifetime.
class HiddenHtmlClass {
public:
    HiddenHtmlClass();
    ~HiddenHtmlClass();
    HiddenHtmlClass(const HiddenHtmlClass&) = delete;
    HiddenHtmlClass& operator=(const HiddenHtmlClass&) = delete;

private:
    HiddenUserChoice userChoice_;
    std::optional<std::string> previousClass_;
};

// Sets the MAPI entry of win.ini's [MAIL] section and restores it afterwards.
class MapiSetting {
public:
    explicit MapiSetting(const char* value);
    ~MapiSetting();
    MapiSetting(const MapiSetting&) = delete;
    MapiSetting& operator=(const MapiSetting&) = delete;

private:
    std::optional<std::string> previous_;
};

// ---- Clipboard ----------------------------------------------------------------
// With `alsoUnicode` the text is placed in Unicode too, as a Unicode program copies it:
// a reader then gets the form it asks for as placed. Wine 8 loses 1 KB of the reader's
// heap each time it converts one form into the other for a reader in another process.
bool SetClipboardText(const std::string& text, bool alsoUnicode = false);
std::optional<std::string> ClipboardText();

// ---- Screen -------------------------------------------------------------------
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Image& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const Image& other) const { return !(*this == other); }
    bool IsUniform() const;
    int Count(COLORREF colour) const;
};

Image CaptureScreen(const RECT& area);
// The window's client area as the window has drawn it, read from its own device context.
Image CaptureClient(HWND window);
COLORREF ScreenPixel(int x, int y);
RECT WindowRect(HWND window);
RECT ClientRectOnScreen(HWND window);

// Captures a screen rectangle in a tight loop on its own thread until Stop;
// keeps each image that differs from the one captured before it.
class ScreenSampler {
public:
    explicit ScreenSampler(const RECT& area);
    ~ScreenSampler();
    ScreenSampler(const ScreenSampler&) = delete;
    ScreenSampler& operator=(const ScreenSampler&) = delete;
    std::vector<Image> Stop();
    int Captures() const { return captures_.load(); }

private:
    RECT area_;
    std::atomic<int> captures_{0};
    std::atomic<bool> stop_{false};
    std::vector<Image> images_;
    std::thread thread_;
};

// ---- The program ----------------------------------------------------------------
// What a process holds: its live GDI objects (-1 when they cannot be counted), its
// windows (top-level and child) and its private bytes.
struct ProcessResources {
    int gdiObjects = -1;
    int windows = 0;
    SIZE_T privateBytes = 0;
};

enum Modifiers : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

class Program {
public:
    static constexpr const char* kCaption = "Calculatrice Pemz";

    // The program file: the build's PemzCalc.exe unless told otherwise.
    explicit Program(const std::string& path = ProgramPath());
    // A path that may hold characters outside the ANSI code page.
    explicit Program(std::wstring path);
    ~Program();  // ends a program that is still running
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts PemzCalc.exe and waits for its main window (shown, unless
    // onlyCreated: then returns as soon as the window exists). Empty on success,
    // else what went wrong.
    std::string Start(bool onlyCreated = false);
    bool WaitForExit(DWORD timeoutMs = kWaitMs);
    bool Running() const;

    HWND Window() const { return window_; }
    // GetGuiResources answers 0 under Wine: the GDI objects are counted in the process's
    // GDI handle table instead.
    ProcessResources Resources() const;
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }
    DWORD ThreadId() const { return threadId_; }

    std::string Text(int id) const { return TextOf(Item(id)); }
    static std::string TextOf(HWND control);
    static void SetTextOf(HWND control, const std::string& text);
    std::string Francs() const { return Text(1030); }
    std::string Euro() const { return Text(1031); }
    int FocusId() const;
    HWND Focus() const;

    // Posts a marker behind everything posted so far and waits until the program has handled it.
    bool Sync();
    // Waits until the main window and its controls have painted what is invalid, and that reached the
    // screen: Wine puts a window's drawing on the screen when its thread next looks at its queue.
    bool WaitUntilPainted();

    // Keyboard: one key (down and up) to the focus window, modifiers held through the shared input state.
    void PressKey(UINT vk, unsigned modifiers = kNoModifier);
    // Types each character with the key (and Shift) that makes it on the US layout.
    void Type(const std::string& characters);
    // One key through the input device to the program's window, brought to the front: only
    // such a key becomes the help request (WM_KEYF1) when the program's loop takes F1.
    bool PressOnKeyboard(UINT vk);

    // Mouse: a left click in the middle of the control; waits until the click has been handled.
    bool Click(HWND control);
    bool ClickItem(int id) { return Click(Item(id)); }
    // Clicks keypad keys by caption, separated by spaces: "2 + 3 * 4 =", "1/x", "+/-", "MR".
    bool ClickKeys(const std::string& script);

    // Posts a command as the menu would; posted, so that a modal dialog does not block the test.
    void Command(UINT id);
    // Picks an item of the precision selector the way the combo box reports a user's choice.
    void SelectPrecision(int index);

    // Waits for a visible top-level window of the program with this caption.
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = kWaitMs) const;
    bool WindowGone(HWND window, DWORD timeoutMs = kWaitMs) const;

private:
    HWND FindWindowByCaption(const std::string& caption, bool visibleOnly) const;

    std::wstring path_;
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    LPARAM marker_ = 0;
};

// The key id of a keypad caption, or 0.
int KeyId(const std::string& caption);

}  // namespace e2e

#endif
