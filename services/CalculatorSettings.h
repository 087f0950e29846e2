// The calculator's stored settings: the one place that knows their value names and how
// a stored 32-bit number becomes a setting. The machine-wide parity keeps its key and
// text form in the store (SettingsStore::LoadParity, SaveParity), which this passes on to.
#ifndef PEMZ_SERVICES_CALCULATORSETTINGS_H
#define PEMZ_SERVICES_CALCULATORSETTINGS_H

#include <cstdint>
#include <optional>

#include "calc/CalculatorState.h"
#include "services/SettingsStore.h"

namespace services {

// Stateless like the store under it: every call reads or writes the store. Each save
// returns false when the store did not take the value.
class CalculatorSettings {
public:
    explicit CalculatorSettings(const SettingsStore& store) : store_(store) {}

    // What start-up hands the engine. Absent or unreadable values give the defaults.
    calc::EngineSettings Load() const;
    bool TopMost() const;

    bool SaveTopMost(bool topMost) const;
    bool SavePrecision(std::int32_t precision) const;
    bool SaveInputCurrency(std::int32_t euroInput) const;
    // Refuses a parity that is not usable (nothing written).
    bool SaveParity(double parity) const;
    bool SaveSeparatorAndPoint(char separator, char point) const;

    // What the window shows after a change: the store's value once the save is done, so
    // that a refused save is never shown as stored.
    std::int32_t StorePrecision(std::int32_t precision) const;
    std::int32_t StoreInputCurrency(std::int32_t euroInput) const;
    struct StoredPresentation {
        calc::Presentation presentation;  // as the store holds it now
        bool taken;                       // false when the store refused a value
    };
    // The settings dialog's OK: the parity (when the field held a usable one), the
    // separator and the point.
    StoredPresentation StorePresentation(std::optional<double> parity, char separator, char point) const;

private:
    const SettingsStore& store_;
};

}  // namespace services

#endif
