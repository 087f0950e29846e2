// Writes the README's pictures as 24-bit BMPs: the calculator with an amount typed,
// then each of its two dialogs over it.
//   pemz_doc_shots <folder>     (tools/doc-shots.sh makes docs/*.png from them)
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/FrameworkIds.h"
#include "res/resource.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/ui/Driver.h"

namespace {

using e2e::Program;

// Every window of the program's thread has painted what is invalid, and the
// thread has looked at its queue since, so the drawing is on the screen.
bool Painted(Program& app, HWND window) {
    auto clean = [](HWND w) { return !::GetUpdateRect(w, nullptr, FALSE); };
    const bool painted = e2e::WaitFor([&] {
        if (!clean(window)) return false;
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::IsWindowVisible(child) && !clean(child)) return false;
        return true;
    });
    return app.Sync() && painted;
}

bool Shoot(Program& app, HWND top, const std::string& file) {
    if (!top || !Painted(app, top)) {
        std::fprintf(stderr, "doc-shots: %s: the window did not paint\n", file.c_str());
        return false;
    }
    RECT area = e2e::WindowRect(app.Window());
    const RECT over = e2e::WindowRect(top);
    ::UnionRect(&area, &area, &over);
    return test::WriteBmp(test::CaptureScreen(area), file.c_str());
}

bool ShootDialog(Program& app, UINT command, const std::string& caption, const std::string& file) {
    app.Command(command);
    HWND dialog = app.WaitForWindow(caption);
    const bool shot = Shoot(app, dialog, file);
    if (dialog) ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return app.WindowGone(dialog) && shot;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pemz_doc_shots <folder>\n");
        return 2;
    }
    const std::string folder = e2e::ToWindowsPath(argv[1]) + "\\";
    e2e::CleanProgramRegistry();  // the defaults, at the top-left corner
    // A browser, as on a user's machine, so that the about box's web link is live.
    e2e::TemporaryHtmlClass browser("winebrowser.exe \"%1\"");
    Program app;
    const std::string started = app.Start();
    if (!started.empty()) {
        std::fprintf(stderr, "doc-shots: %s\n", started.c_str());
        return 1;
    }
    app.Type("1234.5");
    bool ok = Shoot(app, app.Window(), folder + "calculator.bmp");
    ok = ShootDialog(app, ID_ABOUT, "A propos de la Calculatrice Euro Pemz", folder + "about-dialog.bmp") && ok;
    ok = ShootDialog(app, ID_SETTINGS, "Paramètres de la Calculatrice Euro Pemz", folder + "settings-dialog.bmp") && ok;
    app.Command(ID_APP_EXIT);
    return app.WaitForExit() && ok ? 0 : 1;
}
