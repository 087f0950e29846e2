// The spoken names of the keys and the texts of their shortcuts.
#include <gtest/gtest.h>

#include <iterator>

#include "controls/SpokenText.h"

namespace {

using controls::AcceleratorEntry;

TEST(SpokenName, KnownCaptionsAreSpokenOthersLoseTheirMnemonicMark) {
    EXPECT_EQ(controls::SpokenName("1/x"), "Inverse");
    EXPECT_EQ(controls::SpokenName("&Annul."), "Annuler");
    EXPECT_EQ(controls::SpokenName("S&uite"), "Suite");
    EXPECT_EQ(controls::SpokenName("M-"), "M-");
    EXPECT_EQ(controls::SpokenName(""), "");
}

TEST(ShortcutText, EveryKeyOfTheCommandAsSpoken) {
    constexpr std::uint16_t kVirtual = controls::kAcceleratorVirtualKey, kCtrl = controls::kAcceleratorControl;
    const AcceleratorEntry table[] = {
        {0, '=', 20, 0},
        {kVirtual, 0x0D, 20, 0},
        {0, 'C', 21, 0},
        {kVirtual, 0x1B, 21, 0},
        {0x80, 'c', 21, 0},  // the last entry's mark; "c" is the key C, said already
        {0, 8, 23, 0},       // the character Backspace types
        {0, '%', 17, 0},     // characters, not the arrow keys of the same codes
        {0, '(', 17, 0},
        {kVirtual | kCtrl, 'E', 104, 0},
        {kVirtual | controls::kAcceleratorShift, 0x2D, 106, 0},
        {kVirtual | kCtrl | controls::kAcceleratorAlt, '7', 7, 0},
        {kVirtual, 0x61, 99, 0},  // keys without a name here: a numeric-pad key, DEL, a control character, F1
        {0, 0x7F, 99, 0},
        {0, 1, 99, 0},
        {kVirtual, 0x70, 99, 0},
    };
    const struct {
        unsigned command;
        const char* said;
    } cases[] = {{20, "= ou Entrée"}, {21, "C ou Échap"}, {23, "Retour arrière"},
                 {17, "% ou ("},      {104, "Ctrl+E"},    {106, "Maj+Inser"},
                 {7, "Ctrl+Alt+7"},   {99, ""},           {5, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(controls::ShortcutText(table, std::size(table), c.command), c.said) << c.command;
}

}  // namespace
