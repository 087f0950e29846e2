// A program made of the framework's entry and one application object. Arguments: a mode
// ("once": InitInstance returns false; "loop": it asks for a message loop that quits with 5)
// and a file that receives the application's name and the number of InitInstance calls.
#include <cstdlib>
#include <fstream>
#include <string>

#include "framework/Application.h"

namespace {

class ProbeApplication : public fw::Application {
public:
    bool InitInstance() override {
        ++calls;
        if (__argc < 3) return false;
        std::ofstream(__argv[2]) << Name() << ' ' << calls;
        if (std::string(__argv[1]) != "loop") return false;
        ::PostQuitMessage(5);
        return true;
    }
    int calls = 0;
};

ProbeApplication probeApplication;

}  // namespace
