// Which on-screen key flashes for a typed character or key: a table read top to bottom.
#ifndef PEMZ_UI_KEYFLASHTABLE_H
#define PEMZ_UI_KEYFLASHTABLE_H

#include "res/resource.h"

namespace ui {

struct KeyFlashRow {
    unsigned control;  // key button to flash
    unsigned ch;       // WM_CHAR character code; 0 matches nothing
    unsigned vk;       // WM_KEYDOWN virtual key; 0 matches nothing
};

constexpr unsigned kVkBack = 8;     // VK_BACK
constexpr unsigned kVkReturn = 13;  // VK_RETURN

// The first matching row counts. "+/-" has a row but no key; Escape, the arrows and
// the Ctrl shortcuts flash nothing.
// clang-format off
inline constexpr KeyFlashRow KeyFlashTable[] = {
    //  control               ch    vk
    {IDC_KEY_0,              '0',  0},
    {IDC_KEY_1,              '1',  0},
    {IDC_KEY_2,              '2',  0},
    {IDC_KEY_3,              '3',  0},
    {IDC_KEY_4,              '4',  0},
    {IDC_KEY_5,              '5',  0},
    {IDC_KEY_6,              '6',  0},
    {IDC_KEY_7,              '7',  0},
    {IDC_KEY_8,              '8',  0},
    {IDC_KEY_9,              '9',  0},
    {IDC_KEY_POINT,          '.',  0},
    {IDC_KEY_POINT,          ',',  0},
    {IDC_KEY_CLEAR,          'c',  0},
    {IDC_KEY_CLEAR,          'C',  0},
    {IDC_KEY_BACKSPACE,      0,    kVkBack},
    {IDC_KEY_ADD,            '+',  0},
    {IDC_KEY_SUBTRACT,       '-',  0},
    {IDC_KEY_MULTIPLY,       '*',  0},
    {IDC_KEY_DIVIDE,         '/',  0},
    {IDC_KEY_PERCENT,        '%',  0},
    {IDC_KEY_EQUALS,         '=',  kVkReturn},
    {IDC_KEY_SIGN,           0,    0},
};
// clang-format on
static_assert(sizeof(KeyFlashTable) / sizeof(KeyFlashTable[0]) == 22, "22 rows");

enum class KeyEvent { Character, KeyDown };

// The key control to flash for a character (WM_CHAR) or a virtual key (WM_KEYDOWN),
// or 0 when no row matches.
constexpr unsigned KeyToFlash(KeyEvent event, unsigned code) {
    if (code == 0) return 0;
    for (const KeyFlashRow& row : KeyFlashTable) {
        if ((event == KeyEvent::Character ? row.ch : row.vk) == code) return row.control;
    }
    return 0;
}

}  // namespace ui

#endif
