// The spoken names of the keys and the texts of their shortcuts.
#include <gtest/gtest.h>

#include "controls/SpokenText.h"

namespace {

using controls::AcceleratorKey;

constexpr unsigned kVirtual = controls::kAcceleratorVirtualKey;
constexpr unsigned kCtrl = controls::kAcceleratorControl;

TEST(SpokenName, KnownCaptionsAreSpokenOthersLoseTheirMnemonicMark) {
    EXPECT_EQ(controls::SpokenName("1/x"), "Inverse");
    EXPECT_EQ(controls::SpokenName("&Annul."), "Annuler");
    EXPECT_EQ(controls::SpokenName("S&uite"), "Suite");
    EXPECT_EQ(controls::SpokenName("M-"), "M-");
    EXPECT_EQ(controls::SpokenName(""), "");
}

TEST(ShortcutText, CharactersAndVirtualKeysAsSpoken) {
    struct Case {
        std::vector<AcceleratorKey> keys;
        const char* said;
    };
    const Case cases[] = {
        {{}, ""},
        {{{0, '='}, {kVirtual, 0x0D}}, "= ou Entrée"},
        {{{0, 'C'}, {kVirtual, 0x1B}, {0, 'c'}}, "C ou Échap"},  // "c" is the key already said
        {{{0, 8}}, "Retour arrière"},                            // the character Backspace types
        {{{0, '%'}, {0, '('}}, "% ou ("},                        // characters, not the arrow keys of those codes
        {{{kVirtual | kCtrl, 'E'}}, "Ctrl+E"},
        {{{kVirtual | controls::kAcceleratorShift, 0x2D}}, "Maj+Inser"},
        {{{kVirtual | kCtrl | controls::kAcceleratorAlt, '7'}}, "Ctrl+Alt+7"},
        {{{kVirtual, 0x61}, {0, 0x7F}, {0, 1}, {kVirtual, 0x70}}, ""},  // keys without a name here
    };
    for (const Case& c : cases) EXPECT_EQ(controls::ShortcutText(c.keys), c.said);
}

}  // namespace
