// What a screen reader says of the program's keys: the French name of a key or dialog
// button from its caption, and its keyboard shortcut from the accelerator table. Portable.
#ifndef PEMZ_CONTROLS_SPOKENTEXT_H
#define PEMZ_CONTROLS_SPOKENTEXT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

// "7" is "Sept", "1/x" "Inverse", "&Annul." "Annuler"; a caption the table does not know
// is said as written, without the '&' that marks its mnemonic.
std::string SpokenName(std::string_view caption);
// A caption without the '&' that marks its mnemonic letter.
std::string WithoutMnemonic(std::string_view caption);

// One entry of an accelerator table resource, as the resource compiler lays it out.
struct AcceleratorEntry {
    std::uint16_t flags;
    std::uint16_t key;  // a character, or a virtual key with kAcceleratorVirtualKey
    std::uint16_t command;
    std::uint16_t padding;
};
static_assert(sizeof(AcceleratorEntry) == 8, "the resource's entries are 8 bytes");
// The flags of an entry (FVIRTKEY, FSHIFT, FCONTROL, FALT; 0x80 marks the last entry).
constexpr unsigned kAcceleratorVirtualKey = 0x01;
constexpr unsigned kAcceleratorShift = 0x04;
constexpr unsigned kAcceleratorControl = 0x08;
constexpr unsigned kAcceleratorAlt = 0x10;

// The keys of a table that give one command, as said: "=" and Return give "= ou Entrée",
// Ctrl+E "Ctrl+E"; empty when there are none. A key said twice ("c" and "C") is said once.
std::string ShortcutText(const AcceleratorEntry* table, std::size_t count, unsigned command);

}  // namespace controls

#endif
