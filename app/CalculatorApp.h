// The application object: prepares the process and runs the calculator window.
#ifndef PEMZ_APP_CALCULATORAPP_H
#define PEMZ_APP_CALCULATORAPP_H

#include "framework/Application.h"

class CalculatorApp : public fw::Application {
public:
    // The help commands that the calculator window passes on.
    fw::CommandTable Commands() const override;
    // Runs the calculator window modally; false: the program ends with it.
    bool InitInstance() override;

private:
    static const fw::CommandEntry kCommands[];
};

#endif
