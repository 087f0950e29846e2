// Tells whether pasting grows a process under this Wine without the calculator: the
// first process places text on the clipboard as the soak's driver does, the second
// (started by the first) reads it and prints its commit charge and its process heap's
// live bytes every 1,000 reads.
// Usage: pemz_clipboard_probe N edit|ansi|unicode|none [text|both]
//   edit: a paste into a right-aligned multi-line edit control, as the calculator's;
//   ansi, unicode: GetClipboardData of that form; none: no read at all.
//   text (default): the text is placed as CF_TEXT alone; both: in Unicode too.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/ui/Driver.h"

namespace {

void Report(int reads) {
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    SIZE_T live = 0;
    SIZE_T blocks = 0;
    PROCESS_HEAP_ENTRY entry{};
    ::HeapLock(::GetProcessHeap());
    while (::HeapWalk(::GetProcessHeap(), &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            live += entry.cbData;
            ++blocks;
        }
    ::HeapUnlock(::GetProcessHeap());
    std::printf("%6d reads: commit %9lu, process heap %9lu bytes in %5lu blocks\n", reads,
                static_cast<unsigned long>(memory.PagefileUsage), static_cast<unsigned long>(live),
                static_cast<unsigned long>(blocks));
}

void Read(const std::string& how, HWND edit) {
    if (how == "edit") {
        ::SetWindowTextA(edit, "");
        ::SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
        ::SendMessageA(edit, WM_PASTE, 0, 0);
        ::SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    } else if (how != "none" && ::OpenClipboard(nullptr)) {
        if (HANDLE data = ::GetClipboardData(how == "ansi" ? CF_TEXT : CF_UNICODETEXT)) {
            ::GlobalLock(data);
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const int reads = std::atoi(argv[1]);
    const std::string how = argv[2];
    const std::string placing = argc > 3 ? argv[3] : "text";
    const e2e::UniqueKernelHandle placed(::CreateEventA(nullptr, FALSE, FALSE, "pemz-probe-placed"));
    const e2e::UniqueKernelHandle read(::CreateEventA(nullptr, FALSE, FALSE, "pemz-probe-read"));
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    if (placing != "reader") {
        char self[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string command = std::string("\"") + self + "\" " + argv[1] + " " + how + " reader";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION reader{};
        if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &reader))
            return 1;
        const e2e::UniqueKernelHandle process(reader.hProcess), thread(reader.hThread);
        for (int i = 0; i < reads; ++i) {
            e2e::SetClipboardText(std::to_string(i * 7919 % 100000) + ",5", placing == "both");
            ::SetEvent(placed.get());
            ::WaitForSingleObject(read.get(), INFINITE);
        }
        ::WaitForSingleObject(process.get(), INFINITE);
        return 0;
    }

    const fw::UniqueWindow edit(
        ::CreateWindowExA(0, "Edit", "", WS_POPUP | WS_BORDER | ES_RIGHT | ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY,
                          0, 0, 200, 30, nullptr, nullptr, nullptr, nullptr));
    for (int i = 0; i < reads; ++i) {
        ::WaitForSingleObject(placed.get(), INFINITE);
        if (i % 1000 == 0) Report(i);
        Read(how, edit.get());
        ::SetEvent(read.get());
    }
    Report(reads);
    return 0;
}
