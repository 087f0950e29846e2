// What the settings dialog accepts as a parity.
#ifndef PEMZ_UI_PARITYINPUT_H
#define PEMZ_UI_PARITYINPUT_H

#include <string>

#include "calc/NumberText.h"

namespace ui {

// A parity is taken only when the text starts with a usable number.
inline bool ReadParity(const std::string& text, double& parity) {
    double number = 0.0;
    if (calc::ScanNumber(text, number) != 1 || !calc::IsUsableParity(number)) return false;
    parity = number;
    return true;
}

}  // namespace ui

#endif
