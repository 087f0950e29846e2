// The program's resources as the platform reads them: keyboard table, menu, strings
// and version.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "framework/FrameworkIds.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "services/Version.h"
#include "ui/KeyFlashTable.h"

namespace {

HINSTANCE Module() { return ::GetModuleHandleA(nullptr); }

// A window that records the commands an accelerator translation sends it.
class CommandRecorder {
public:
    CommandRecorder() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = Module();
        wc.lpszClassName = "PemzAcceleratorRecorder";
        ::RegisterClassA(&wc);
        window_ = ::CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, Module(), nullptr);
    }
    ~CommandRecorder() { ::DestroyWindow(window_); }

    // The command that the table makes of the message with these keys held, or -1.
    int Translate(HACCEL table, UINT message, WPARAM key, std::initializer_list<BYTE> held = {}) {
        BYTE state[256] = {};
        for (BYTE vk : held) state[vk] = 0x80;
        ::SetKeyboardState(state);
        last_ = -1;
        MSG msg{window_, message, key, 1, 0, {}};
        const bool translated = ::TranslateAcceleratorA(window_, table, &msg) != 0;
        BYTE none[256] = {};
        ::SetKeyboardState(none);
        return translated ? last_ : -1;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND) last_ = LOWORD(wParam);
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    static inline int last_ = -1;
    HWND window_;
};

TEST(Keyboard, EveryEntryLeavesTheMenuTitlesAlone) {
    HACCEL table = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAIN));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> entries(static_cast<size_t>(::CopyAcceleratorTableA(table, nullptr, 0)));
    ASSERT_EQ(entries.size(), 33u);
    ::CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    for (const ACCEL& entry : entries) EXPECT_TRUE(entry.fVirt & FNOINVERT) << entry.key << " -> " << entry.cmd;
}

TEST(Keyboard, CharactersAndKeysBecomeTheirCommands) {
    HACCEL table = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAIN));
    CommandRecorder recorder;
    const struct {
        UINT message;
        WPARAM key;
        std::initializer_list<BYTE> held;
        int command;
    } cases[] = {
        {WM_CHAR, '7', {}, IDC_KEY_7},
        {WM_CHAR, '.', {}, IDC_KEY_POINT},
        {WM_CHAR, ',', {}, IDC_KEY_POINT},
        {WM_CHAR, 'c', {}, IDC_KEY_CLEAR},
        {WM_CHAR, 'C', {VK_SHIFT}, IDC_KEY_CLEAR},
        {WM_CHAR, '%', {VK_SHIFT}, IDC_KEY_PERCENT},
        {WM_CHAR, 8, {}, IDC_KEY_BACKSPACE},
        {WM_KEYDOWN, VK_RETURN, {}, IDC_KEY_EQUALS},
        {WM_KEYDOWN, VK_ESCAPE, {}, IDC_KEY_CLEAR},
        {WM_KEYDOWN, VK_LEFT, {}, ID_ARROW_KEY},
        {WM_KEYDOWN, VK_DOWN, {}, ID_ARROW_KEY},
        {WM_KEYDOWN, 'C', {VK_CONTROL}, ID_COPY},
        {WM_KEYDOWN, VK_INSERT, {VK_CONTROL}, ID_COPY},
        {WM_KEYDOWN, 'E', {VK_CONTROL}, ID_COPY_EURO},
        {WM_KEYDOWN, 'F', {VK_CONTROL}, ID_COPY_FRANCS},
        {WM_KEYDOWN, 'V', {VK_CONTROL}, ID_PASTE},
        {WM_KEYDOWN, VK_INSERT, {VK_SHIFT}, ID_PASTE},
        // Not in the table: the key press of a digit, a plain "C" key, Insert alone, letters.
        {WM_KEYDOWN, '7', {}, -1},
        {WM_KEYDOWN, 'C', {}, -1},
        {WM_KEYDOWN, VK_INSERT, {}, -1},
        {WM_CHAR, 'e', {}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recorder.Translate(table, c.message, c.key, c.held), c.command)
            << (c.message == WM_CHAR ? "char " : "key ") << c.key;
}

// The flash and the command must name the same key: each flash row's character, or its
// key (else the character the key types, as Backspace's 8 does), goes through the table.
TEST(Keyboard, EveryFlashedKeyIsTheKeyTheTableCommands) {
    HACCEL table = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAIN));
    ASSERT_NE(table, nullptr);
    CommandRecorder recorder;
    std::size_t checked = 0;
    for (const ui::KeyFlashRow& row : ui::KeyFlashTable) {
        if (row.ch != 0) {
            EXPECT_EQ(recorder.Translate(table, WM_CHAR, row.ch), static_cast<int>(row.control)) << "char " << row.ch;
            ++checked;
        }
        if (row.vk != 0) {
            int command = recorder.Translate(table, WM_KEYDOWN, row.vk);
            if (command == -1) command = recorder.Translate(table, WM_CHAR, ::MapVirtualKeyA(row.vk, MAPVK_VK_TO_CHAR));
            EXPECT_EQ(command, static_cast<int>(row.control)) << "key " << row.vk;
            ++checked;
        }
    }
    EXPECT_EQ(checked, std::size(ui::KeyFlashTable));  // "=" and Return share a row; the sign key has none
}

// Pop-ups and items, depth first, as "caption=id" ("caption>" for a pop-up).
void ListMenu(HMENU menu, std::vector<std::string>& lines) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char caption[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
        if (HMENU popup = ::GetSubMenu(menu, i)) {
            lines.push_back(std::string(caption) + ">");
            ListMenu(popup, lines);
        } else {
            const UINT id = ::GetMenuItemID(menu, i);
            lines.push_back(std::string(caption) + "=" + std::to_string(id));
        }
    }
}

TEST(Menu, CaptionsAndCommandsAsTheUserSeesThem) {
    fw::UniqueMenu menu(::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAIN)));
    ASSERT_TRUE(menu);
    std::vector<std::string> lines;
    ListMenu(menu.get(), lines);
    // clang-format off
    const std::vector<std::string> expected = {
        "&Paramètres>",
        "&Toujours devant=101", "&Configuration...=102", "=0", "&Quitter\tAlt-F4=57665",
        "E&dition>",
        "Co&pier\tCtrl-C=107", "Copier en &Euro\tCtrl-E=104", "Copier en &Francs\tCtrl-F=105", "=0",
        "C&oller\tCtrl-V=106",
        "&Aide>",
        "&Index=57666", "&Rechercher l'Aide sur...=57667", "&Utiliser l'Aide=57668", "=0",
        "Pemz sur le Web>", "&Page d'acceuil=7005", "&Support Technique=7006",
        "=0", "A propos...=100",
    };
    // clang-format on
    EXPECT_EQ(lines, expected);
}

std::string ResourceText(UINT id) {
    char text[64] = {};
    return ::LoadStringA(Module(), id, text, sizeof text) > 0 ? text : "<none>";
}

TEST(Strings, ProgramKeyAndDescriptionButNoExtension) {
    EXPECT_EQ(ResourceText(IDS_PROGRAM_KEY), "PemzCalc");
    EXPECT_EQ(ResourceText(IDS_DESCRIPTION), "Calculatrice Euro Pemz");
    EXPECT_EQ(ResourceText(IDS_EXTENSION), "<none>");
}

TEST(Version, ReadsAsOnePointZeroZero) { EXPECT_EQ(services::FormatVersion("Version "), "Version 1.00"); }

}  // namespace
