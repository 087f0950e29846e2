// Measures programs from outside, as a user meets them: process creation to the
// main window shown and idle (two programs, started in turn), the private bytes
// each holds then, the CPU an untouched window uses, and a typed digit's way
// through the queue to the francs line.
//
//   startup_bench start <runs> <baseline.exe> <program.exe>
//   startup_bench idle <seconds> <program.exe>
//   startup_bench typing <keys> <program.exe>
//
// Prints "name median min max" lines (milliseconds or bytes) for bench.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "res/resource.h"

namespace {

using UniqueKernelHandle = fw::UniqueHandle<fw::NullableHandleTraits<HANDLE, &::CloseHandle>>;

double Milliseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

LONGLONG Now() {
    LARGE_INTEGER t{};
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

void Report(const char* name, std::vector<double> values) {
    if (values.empty()) {
        std::printf("%s none\n", name);
        return;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%s %.3f %.3f %.3f %zu\n", name, median, values.front(), values.back(), n);
}

struct Found {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindShownDialog(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != found->processId || !::IsWindowVisible(window) || !::GetDlgItem(window, IDC_FRANCS_LINE)) return TRUE;
    found->window = window;
    return FALSE;
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE opened = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return std::string();
    UniqueKernelHandle file(opened);
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) content.append(chunk, got);
    return content;
}

// Wine runs each Windows process as a Linux process whose arguments are its Windows
// command line; /proc is on drive Z:. The /proc folder of the one started as
// `exePath`, "" when there is none.
std::string LinuxProcessFolder(const std::string& exePath) {
    WIN32_FIND_DATAA entry{};
    HANDLE find = ::FindFirstFileA("Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return std::string();
    std::string found;
    do {
        const std::string name = entry.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string folder = "Z:\\proc\\" + name + "\\";
        if (::lstrcmpiA(ReadWholeFile(folder + "cmdline").c_str(), exePath.c_str()) == 0) found = folder;
    } while (found.empty() && ::FindNextFileA(find, &entry));
    ::FindClose(find);
    return found;
}

// Private_Clean + Private_Dirty of all its mappings.
double LinuxPrivateBytes(const std::string& folder) {
    const std::string rollup = ReadWholeFile(folder + "smaps_rollup");
    if (rollup.empty()) return -1;
    double kib = 0;
    for (const char* field : {"\nPrivate_Clean:", "\nPrivate_Dirty:"}) {
        const std::size_t at = rollup.find(field);
        if (at != std::string::npos) kib += std::atof(rollup.c_str() + at + std::strlen(field));
    }
    return kib * 1024;
}

// Time on a CPU of all its threads, in nanoseconds (first field of each schedstat).
double LinuxCpuNanoseconds(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    HANDLE find = ::FindFirstFileA((folder + "task\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return -1;
    double total = 0;
    do {
        const std::string name = entry.cFileName;
        if (name.find_first_not_of("0123456789") == std::string::npos)
            total += std::atof(ReadWholeFile(folder + "task\\" + name + "\\schedstat").c_str());
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return total;
}

std::string LineText(HWND dialog) {
    char text[64] = {};
    // Sent: answered only once the program looks at its queue, so it is ready too.
    ::SendMessageA(::GetDlgItem(dialog, IDC_FRANCS_LINE), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// A program started and shown: its process and its main window.
class Started {
public:
    explicit Started(const std::string& path) : path_(path) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + path + "\"";
        const LONGLONG begin = Now();
        if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info_)) {
            std::fprintf(stderr, "cannot start %s (%lu)\n", path.c_str(), ::GetLastError());
            std::exit(2);
        }
        process_.reset(info_.hProcess);
        thread_.reset(info_.hThread);
        // Input idle comes once the dialog is up and its loop waits; the window is
        // looked for after it (a start-up that shows the window late keeps looking).
        ::WaitForInputIdle(info_.hProcess, INFINITE);
        Found found{info_.dwProcessId, nullptr};
        while (::EnumWindows(FindShownDialog, reinterpret_cast<LPARAM>(&found)), !found.window) {
            if (::WaitForSingleObject(info_.hProcess, 1) == WAIT_OBJECT_0) {
                std::fprintf(stderr, "%s ended without a window\n", path.c_str());
                std::exit(2);
            }
        }
        window_ = found.window;
        LineText(window_);
        milliseconds_ = Milliseconds(Now() - begin);
    }

    ~Started() {
        ::PostMessageA(window_, WM_CLOSE, 0, 0);
        ::WaitForSingleObject(info_.hProcess, INFINITE);
    }

    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    double StartMilliseconds() const { return milliseconds_; }
    HWND Window() const { return window_; }
    DWORD ThreadId() const { return info_.dwThreadId; }

    // Wine answers 0 for another process's private bytes and CPU times, so both
    // are read from the Linux process that runs it.
    double PrivateBytes() const { return LinuxPrivateBytes(LinuxProcessFolder(path_)); }
    double CpuMilliseconds() const { return LinuxCpuNanoseconds(LinuxProcessFolder(path_)) / 1e6; }

private:
    std::string path_;
    PROCESS_INFORMATION info_{};
    UniqueKernelHandle process_;
    UniqueKernelHandle thread_;
    HWND window_ = nullptr;
    double milliseconds_ = 0;
};

int StartupRuns(int runs, const std::string& baseline, const std::string& program) {
    std::vector<double> baseTimes, programTimes, baseBytes, programBytes, baseCpu, programCpu;
    // One unmeasured start of each: the first start of a build loads it from disk.
    { Started warm(baseline); }
    { Started warm(program); }
    for (int run = 0; run < runs; ++run) {
        // Alternating, and swapping who goes first, so that a change of load on the
        // machine falls on both alike.
        for (int turn = 0; turn < 2; ++turn) {
            const bool baseTurn = (turn == 0) == (run % 2 == 0);
            Started started(baseTurn ? baseline : program);
            (baseTurn ? baseTimes : programTimes).push_back(started.StartMilliseconds());
            (baseTurn ? baseBytes : programBytes).push_back(started.PrivateBytes());
            // The process's own CPU time to get there: what a busy machine delays, not adds.
            (baseTurn ? baseCpu : programCpu).push_back(started.CpuMilliseconds());
        }
    }
    // Each run's pair, started back to back, gives one ratio: the load they shared cancels.
    std::vector<double> ratios;
    for (std::size_t i = 0; i < baseTimes.size(); ++i) ratios.push_back(programTimes[i] / baseTimes[i]);
    Report("start_baseline_ms", baseTimes);
    Report("start_program_ms", programTimes);
    Report("start_pair_ratio", ratios);
    Report("private_baseline_bytes", baseBytes);
    Report("private_program_bytes", programBytes);
    Report("start_cpu_baseline_ms", baseCpu);
    Report("start_cpu_program_ms", programCpu);
    return 0;
}

int Idle(int seconds, const std::string& program) {
    Started started(program);
    const double before = started.CpuMilliseconds();
    // The measurement is the wait itself: an untouched window should use nothing.
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const double after = started.CpuMilliseconds();
    std::printf("idle_cpu_ms %.3f %.3f %.3f 1\n", after - before, after - before, after - before);
    std::printf("startup_cpu_ms %.3f %.3f %.3f 1\n", before, before, before);
    std::printf("idle_seconds %d\n", seconds);
    return 0;
}

void PostKey(HWND target, UINT vk) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(vk, 0)) << 16;
    ::PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    ::PostMessageA(target, WM_KEYUP, vk, scan | 1 | 0xC0000000);
}

// The step in which GetTickCount advances: the flash's 30 ms are counted in it.
void ReportTickStep() {
    std::vector<double> steps;
    DWORD last = ::GetTickCount();
    while (steps.size() < 20) {
        const DWORD now = ::GetTickCount();
        if (now != last) steps.push_back(now - last);
        last = now;
    }
    Report("tick_step_ms", steps);
}

int Typing(int keys, const std::string& program) {
    ReportTickStep();
    Started started(program);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(started.ThreadId(), &gui);
    HWND focus = gui.hwndFocus ? gui.hwndFocus : started.Window();
    std::vector<double> beyondFlash;
    std::string shown = LineText(started.Window());
    for (int key = 0; key < keys; ++key) {
        // Ten digits, then Escape (clears without a flash), so the entry never fills.
        if (key % 10 == 0) {
            PostKey(focus, VK_ESCAPE);
            while ((shown = LineText(started.Window())) != "0") {}
        }
        const UINT digit = '1' + key % 9;
        const LONGLONG begin = Now();
        PostKey(focus, digit);
        std::string now;
        while ((now = LineText(started.Window())) == shown) {}
        beyondFlash.push_back(Milliseconds(Now() - begin) - 30.0);
        shown = now;
    }
    Report("typed_digit_beyond_flash_ms", beyondFlash);
    return 0;
}

// ctest hands over Unix paths; Wine maps the Unix root to drive Z:.
std::string WindowsPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "start" && argc == 5)
        return StartupRuns(std::atoi(argv[2]), WindowsPath(argv[3]), WindowsPath(argv[4]));
    if (mode == "idle" && argc == 4) return Idle(std::atoi(argv[2]), WindowsPath(argv[3]));
    if (mode == "typing" && argc == 4) return Typing(std::atoi(argv[2]), WindowsPath(argv[3]));
    std::fprintf(stderr,
                 "usage: startup_bench start <runs> <baseline.exe> <program.exe>\n"
                 "       startup_bench idle <seconds> <program.exe>\n"
                 "       startup_bench typing <keys> <program.exe>\n");
    return 1;
}
