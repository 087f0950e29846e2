// Simple MAPI hand-over of a support mail.
#include "services/MailMessage.h"

#include <new>
#include <utility>

#include "framework/MessageBox.h"
#include "framework/ModalScope.h"
#include "framework/SystemLibrary.h"
#include "framework/WaitCursor.h"

namespace services {
namespace {

using UniqueHook = fw::UniqueHandle<fw::NullableHandleTraits<HHOOK, &::UnhookWindowsHookEx>>;

// Keeps a window disabled for its lifetime, even when the mail client enables it
// between its own dialogs: otherwise the user could reach our window, and start
// another hand-over, while the client still runs inside MAPISendMail.
class KeepDisabled {
public:
    explicit KeepDisabled(HWND window) : outer_(std::exchange(window_, window)) {
        if (window) hook_.reset(::SetWindowsHookExA(WH_CALLWNDPROCRET, OnSent, nullptr, ::GetCurrentThreadId()));
    }
    ~KeepDisabled() {
        hook_.reset();
        window_ = outer_;
    }
    KeepDisabled(const KeepDisabled&) = delete;
    KeepDisabled& operator=(const KeepDisabled&) = delete;

private:
    // A thread hook has no context of its own: the window lives in window_ while the hook is in.
    static LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && window_ && sent->hwnd == window_ && sent->message == WM_ENABLE && sent->wParam) {
            ::EnableWindow(window_, FALSE);
            ::SetFocus(nullptr);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline HWND window_ = nullptr;
    HWND outer_;
    UniqueHook hook_;
};

}  // namespace

const char kMailLibraryInvalidText[] = "La DLL système de la messagerie n'est pas valide.";
const char kMailSendFailedText[] = "La messagerie électronique n'a pas pu envoyer le message.";

bool IsMailAvailable() {
    static const bool available = ::GetProfileIntA("MAIL", "MAPI", 0) != 0 &&
                                  ::SearchPathA(nullptr, "MAPI32.DLL", nullptr, 0, nullptr, nullptr) != 0;
    return available;
}

void SendSupportMail(const std::string& recipient) {
    MailMessage message;
    message.AddRecipient(recipient);
    message.SetSubject("Support Technique");
    message.Send(MAPI_LOGON_UI | MAPI_DIALOG);
}

MailMessage::MailMessage()
    : message_{}, originator_{}, status_(SUCCESS_SUCCESS), library_(::LoadLibraryA("MAPI32.DLL")) {
    message_.lpOriginator = &originator_;
    if (!library_) status_ = 1;
}

bool MailMessage::AddRecipient(const std::string& name) {
    try {
        names_.push_back(name);
        try {
            recipients_.push_back(MapiRecipDesc{});
        } catch (const std::bad_alloc&) {
            names_.pop_back();
            throw;
        }
    } catch (const std::bad_alloc&) {
        status_ = 3;
        return false;
    }
    recipients_.back().ulRecipClass = MAPI_TO;
    recipients_.back().lpszName = names_.back().data();
    return true;
}

bool MailMessage::Send(FLAGS flags) {
    fw::WaitCursor wait;
    message_.lpszSubject = subject_.empty() ? nullptr : subject_.data();
    message_.lpszNoteText = note_.data();  // an empty text, never a null pointer
    message_.nRecipCount = static_cast<ULONG>(recipients_.size());
    message_.lpRecips = recipients_.empty() ? nullptr : recipients_.data();
    return HandOver(flags);
}

bool MailMessage::HandOver(FLAGS flags) {
    if (!library_) return false;
    const auto send = fw::ProcAddress<LPMAPISENDMAIL>(library_.get(), "MAPISendMail");
    if (!send) {
        fw::MessageBox(kMailLibraryInvalidText);
        return false;
    }

    {
        // The mail client's windows are modal to our window for the whole hand-over.
        const fw::ModalScope modal;
        HWND owner = modal.Owner();
        if (owner) ::SetCapture(owner);
        ::SetFocus(nullptr);

        {
            const KeepDisabled keepOwnerDisabled(owner);
            status_ = send(0, reinterpret_cast<ULONG_PTR>(owner), &message_, flags, 0);
        }

        ::ReleaseCapture();
        if (owner) {
            ::EnableWindow(owner, TRUE);
            ::SetActiveWindow(nullptr);
            ::SetActiveWindow(owner);
            ::SetFocus(owner);
        }
    }

    if (status_ == SUCCESS_SUCCESS || status_ == MAPI_USER_ABORT || status_ == MAPI_E_LOGIN_FAILURE) return true;
    fw::MessageBox(kMailSendFailedText);
    return false;
}

}  // namespace services
