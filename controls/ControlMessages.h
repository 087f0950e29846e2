// Messages of the control library's own window classes. They are class-private
// (WM_USER range) and keep their numbers: templates and callers rely on them.
#ifndef PEMZ_CONTROLS_CONTROLMESSAGES_H
#define PEMZ_CONTROLS_CONTROLMESSAGES_H

namespace controls {

// No Windows header here: WM_USER is 0x0400 (checked where the classes are registered).
constexpr unsigned int kControlMessageFirst = 0x0400 + 100;

constexpr unsigned int CLM_SELECTTAB = kControlMessageFirst + 0;         // "PemzGroup"
constexpr unsigned int CLM_GETSELECTEDTAB = kControlMessageFirst + 1;    // "PemzGroup"
constexpr unsigned int CLM_GETPAGERECT = kControlMessageFirst + 2;       // "PemzGroup"
constexpr unsigned int CLM_ENABLETAB = kControlMessageFirst + 3;         // "PemzGroup"
constexpr unsigned int CLM_ISTABENABLED = kControlMessageFirst + 4;      // "PemzGroup"
constexpr unsigned int CLM_SETBITMAP = kControlMessageFirst + 5;         // "PemzButton", "PemzBitmap"
constexpr unsigned int CLM_SETCOMMANDTARGET = kControlMessageFirst + 6;  // "PemzButton"

static_assert(CLM_SETBITMAP == 1129 && CLM_SETCOMMANDTARGET == 1130, "message numbers are fixed");

}  // namespace controls

#endif
