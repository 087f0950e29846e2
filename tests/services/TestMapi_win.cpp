// Stand-in MAPI32.DLL: MAPISendMail records the message it is given in the file named
// by PEMZ_MAPI_RECORD and returns the number in PEMZ_MAPI_RESULT (0 when unset).
// Built without PEMZ_WITH_SEND it has no MAPISendMail at all.
#include <windows.h>
#include <mapi.h>

#include <cstdlib>
#include <string>

#ifdef PEMZ_WITH_SEND
namespace {

std::string Environment(const char* name) {
    char value[1024] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string Text(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

}  // namespace

extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags, ULONG reserved) {
    std::string record = "session=" + std::to_string(session) + "\nowner=" + (uiParam ? "window" : "none") +
                         "\nflags=" + std::to_string(flags) + "\nreserved=" + std::to_string(reserved) +
                         "\nsubject=" + Text(message->lpszSubject) + "\nnote=" + Text(message->lpszNoteText) +
                         "\nfiles=" + std::to_string(message->nFileCount) + "\noriginator=" +
                         (message->lpOriginator ? std::to_string(message->lpOriginator->ulRecipClass) : "null") +
                         "\nrecipients=" + std::to_string(message->nRecipCount);
    for (ULONG i = 0; i < message->nRecipCount; ++i)
        record += "\nrecipient=" + std::to_string(message->lpRecips[i].ulRecipClass) + " " +
                  Text(message->lpRecips[i].lpszName) + " " + Text(message->lpRecips[i].lpszAddress);
    HWND owner = reinterpret_cast<HWND>(uiParam);
    record += std::string("\ncapture=") + (owner && ::GetCapture() == owner ? "owner" : "none") + "\n";
    if (owner) {
        // A mail client makes each of its dialogs modal to the owner, may enable it in
        // between, and may leave it disabled at the end.
        ::EnableWindow(owner, FALSE);
        ::EnableWindow(owner, TRUE);
        record += std::string("between dialogs=") + (::IsWindowEnabled(owner) ? "enabled" : "disabled") + "\n";
        ::EnableWindow(owner, FALSE);
    }

    const std::string path = Environment("PEMZ_MAPI_RECORD");
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return static_cast<ULONG>(std::strtoul(Environment("PEMZ_MAPI_RESULT").c_str(), nullptr, 10));
}
#else
extern "C" __declspec(dllexport) ULONG WINAPI MAPILogoff(LHANDLE, ULONG_PTR, FLAGS, ULONG) { return 0; }
#endif
