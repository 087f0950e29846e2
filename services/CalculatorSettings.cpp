// The calculator's settings over the settings store.
#include "services/CalculatorSettings.h"

namespace services {
namespace {

const char kTopMost[] = ".\\TopMost";
const char kPrecision[] = ".\\Precision";
const char kEuroInput[] = ".\\SaisieEuro";
const char kSeparator[] = ".\\Milliers";
const char kPoint[] = ".\\Point";

// The store keeps 32-bit integers; the switches and characters use their low byte only.
std::int32_t LowByteSigned(std::int32_t stored) { return static_cast<signed char>(stored & 0xFF); }
char LowByte(std::int32_t stored) { return static_cast<char>(stored & 0xFF); }

// Character codes are stored sign-extended: a code above 127 is stored negative.
std::int32_t StoredCode(char c) { return static_cast<signed char>(c); }

}  // namespace

calc::EngineSettings CalculatorSettings::Load() const {
    const calc::EngineSettings defaults;
    calc::EngineSettings settings;
    settings.precision = store_.ReadSetting(kPrecision, defaults.precision);
    settings.euroInput = LowByteSigned(store_.ReadSetting(kEuroInput, defaults.euroInput));
    settings.presentation.thousandsSeparator =
        LowByte(store_.ReadSetting(kSeparator, defaults.presentation.thousandsSeparator));
    settings.presentation.decimalPoint = LowByte(store_.ReadSetting(kPoint, defaults.presentation.decimalPoint));
    settings.presentation.parity = store_.LoadParity();
    return settings;
}

bool CalculatorSettings::TopMost() const { return LowByteSigned(store_.ReadSetting(kTopMost, 0)) != 0; }

bool CalculatorSettings::SaveTopMost(bool topMost) const { return store_.WriteSetting(kTopMost, topMost ? 1 : 0); }

bool CalculatorSettings::SavePrecision(std::int32_t precision) const {
    return store_.WriteSetting(kPrecision, precision);
}

bool CalculatorSettings::SaveInputCurrency(std::int32_t euroInput) const {
    return store_.WriteSetting(kEuroInput, euroInput);
}

bool CalculatorSettings::SaveParity(double parity) const { return store_.SaveParity(parity); }

bool CalculatorSettings::SaveSeparatorAndPoint(char separator, char point) const {
    const bool separatorSaved = store_.WriteSetting(kSeparator, StoredCode(separator));
    return store_.WriteSetting(kPoint, StoredCode(point)) && separatorSaved;
}

std::int32_t CalculatorSettings::StorePrecision(std::int32_t precision) const {
    SavePrecision(precision);
    return Load().precision;
}

std::int32_t CalculatorSettings::StoreInputCurrency(std::int32_t euroInput) const {
    SaveInputCurrency(euroInput);
    return Load().euroInput;
}

CalculatorSettings::StoredPresentation CalculatorSettings::StorePresentation(std::optional<double> parity,
                                                                             char separator, char point) const {
    const bool parityTaken = !parity || SaveParity(*parity);
    const bool marksTaken = SaveSeparatorAndPoint(separator, point);
    return {Load().presentation, parityTaken && marksTaken};
}

}  // namespace services
