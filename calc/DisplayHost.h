// What the engine needs from the window that shows it.
#ifndef PEMZ_CALC_DISPLAYHOST_H
#define PEMZ_CALC_DISPLAYHOST_H

#include <string>

namespace calc {

enum class DisplayLine { Francs, Euro };

// Implemented by the main dialog; tests implement it with a recorder.
class DisplayHost {
public:
    virtual ~DisplayHost() = default;
    // False before the window is created: the display is then not written.
    virtual bool WindowExists() const = 0;
    virtual void WriteFrancsLine(const std::string& text) = 0;
    virtual void WriteEuroLine(const std::string& text) = 0;
    // The line in which numbers are typed, told at every refresh before the lines are written.
    virtual void SetInputLine(DisplayLine line) = 0;
    virtual void WriteMemoryIndicator(const std::string& text) = 0;
    // Keeps the keyboard focus off the display lines.
    virtual void FocusHolder() = 0;
};

}  // namespace calc

#endif
