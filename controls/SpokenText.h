// What a screen reader says of the program's keys: the French name of a key or dialog
// button from its caption, and a keyboard shortcut from accelerator entries. Portable.
#ifndef PEMZ_CONTROLS_SPOKENTEXT_H
#define PEMZ_CONTROLS_SPOKENTEXT_H

#include <string>
#include <string_view>
#include <vector>

namespace controls {

// "7" is "Sept", "1/x" "Inverse", "&Annul." "Annuler"; a caption the table does not know
// is said as written, without the '&' that marks its mnemonic.
std::string SpokenName(std::string_view caption);

// One entry of an accelerator table, as the platform stores it (ACCEL's fVirt and key).
struct AcceleratorKey {
    unsigned flags;
    unsigned key;
};
// The flags of an entry (FVIRTKEY, FSHIFT, FCONTROL, FALT).
constexpr unsigned kAcceleratorVirtualKey = 0x01;
constexpr unsigned kAcceleratorShift = 0x04;
constexpr unsigned kAcceleratorControl = 0x08;
constexpr unsigned kAcceleratorAlt = 0x10;

// The keys that give one command, as said: "=" and Return give "= ou Entrée", Ctrl+E
// "Ctrl+E"; empty when there are none. A key said twice ("c" and "C") is said once.
std::string ShortcutText(const std::vector<AcceleratorKey>& keys);

}  // namespace controls

#endif
