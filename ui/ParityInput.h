// What the settings dialog accepts as a parity.
#ifndef PEMZ_UI_PARITYINPUT_H
#define PEMZ_UI_PARITYINPUT_H

#include <cmath>
#include <string>

#include "calc/NumberText.h"

namespace ui {

// A parity is taken only when the text starts with a number that is finite and above
// zero: an overflowing text reads as infinity, which would turn every amount into
// infinity or zero.
inline bool ReadParity(const std::string& text, double& parity) {
    double number = 0.0;
    if (calc::ScanNumber(text, number) != 1 || !std::isfinite(number) || !(number > 0.0)) return false;
    parity = number;
    return true;
}

}  // namespace ui

#endif
