// A font made from another with one change.
#ifndef PEMZ_FRAMEWORK_DERIVEDFONT_H
#define PEMZ_FRAMEWORK_DERIVEDFONT_H

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace fw {

// The base font's description, changed by `change(LOGFONTA&)`, created anew; none when
// there is no base font or it cannot be read.
template <class Change>
UniqueFont DerivedFont(HFONT base, Change change) {
    LOGFONTA description{};
    if (!base || ::GetObjectA(base, sizeof description, &description) == 0) return UniqueFont();
    change(description);
    return UniqueFont(::CreateFontIndirectA(&description));
}

}  // namespace fw

#endif
