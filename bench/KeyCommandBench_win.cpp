// A key's command inside the calculator's own process: WM_COMMAND of a digit sent to
// the main window, timed with QueryPerformanceCounter until SendMessage returns, by
// which time the engine has run and both display lines have been written.
//
//   key_command_bench <commands>
//
// Prints "name median min max count" lines for bench.sh: the key's command, then the
// platform calls that make up most of it, each timed alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "controls/ControlClasses.h"
#include "res/resource.h"
#include "ui/CalculatorDialog.h"

namespace {

ui::CalculatorDialog* theDialog = nullptr;
int commandCount = 0;
int failures = 0;

LONGLONG Now() {
    LARGE_INTEGER t{};
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

void SendKey(HWND dialog, int id) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

double Micros(LONGLONG ticks) {
    static const double perSecond = [] {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    return 1e6 * static_cast<double>(ticks) / perSecond;
}

void Report(const char* name, std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    const std::size_t n = micros.size();
    std::printf("%s %.3f %.3f %.3f %zu\n", name, micros[n / 2], micros.front(), micros.back(), n);
}

template <typename Action>
void TimeEach(const char* name, int count, Action action) {
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const LONGLONG begin = Now();
        action(i);
        micros.push_back(Micros(Now() - begin));
    }
    Report(name, std::move(micros));
}

// Runs once the dialog's loop is going: a thread timer is dispatched by that loop.
void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND dialog = theDialog->Hwnd();
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(commandCount));
    char francs[64] = {};
    for (int i = 0; i < commandCount; ++i) {
        // Ten digits, then C: the entry never reaches its length limit.
        if (i % 10 == 0) SendKey(dialog, IDC_KEY_CLEAR);
        const int digit = 1 + i % 9;
        const LONGLONG begin = Now();
        SendKey(dialog, IDC_KEY_0 + digit);
        micros.push_back(Micros(Now() - begin));
        // The typed digit must be on the francs line, or nothing was measured.
        ::GetDlgItemTextA(dialog, IDC_FRANCS_LINE, francs, sizeof francs);
        const std::size_t length = std::strlen(francs);
        if (length == 0 || francs[length - 1] != '0' + digit) ++failures;
    }
    Report("key_command_us", std::move(micros));
    if (failures) std::printf("key_command_failures %d\n", failures);

    // The parts: writing one display line, and moving the focus to where it already is.
    HWND line = ::GetDlgItem(dialog, IDC_FRANCS_LINE);
    HWND holder = ::GetDlgItem(dialog, IDC_FOCUS_HOLDER);
    TimeEach("line_settext_us", commandCount, [line](int i) { ::SetWindowTextA(line, i % 2 ? "1234" : "12345"); });
    TimeEach("focus_holder_us", commandCount, [holder](int) { ::SetFocus(holder); });
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    commandCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    controls::RegisterControlClasses();
    ui::CalculatorDialog dialog(::LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM)),
                                ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAIN)),
                                fw::UniqueBrush(::CreateSolidBrush(ui::CalculatorDialog::kInputLineColour)));
    theDialog = &dialog;
    ::SetTimer(nullptr, 0, 0, Measure);
    dialog.DoModal();
    return failures ? 1 : 0;
}
