// Support mail through Simple MAPI (Windows only): a prepared message handed to
// the system's mail client, which shows its own compose window.
#ifndef PEMZ_SERVICES_MAILMESSAGE_H
#define PEMZ_SERVICES_MAILMESSAGE_H

#include <windows.h>
#include <mapi.h>

#include <deque>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"

namespace services {

// The two failures the user is told about.
extern const char kMailLibraryInvalidText[];  // "La DLL système de la messagerie n'est pas valide."
extern const char kMailSendFailedText[];      // "La messagerie électronique n'a pas pu envoyer le message."

// True when win.ini's [MAIL] MAPI entry is nonzero and MAPI32.DLL is on the search
// path; computed once per process.
bool IsMailAvailable();

// Opens the mail client's compose window with one MAPI_TO recipient and the subject
// "Support Technique"; failures are told to the user by Send.
void SendSupportMail(const std::string& recipient);

// Owns MAPI32.DLL (loaded at construction), the recipients and the body for one hand-over.
class MailMessage {
public:
    MailMessage();
    MailMessage(const MailMessage&) = delete;
    MailMessage& operator=(const MailMessage&) = delete;

    // False (status 3) when the recipient could not be added; those already added stay.
    bool AddRecipient(const std::string& name);
    void SetSubject(const std::string& subject) { subject_ = subject; }
    // MAPISendMail with these flags, the safe owner disabled meanwhile. True when the
    // client took the message, including a user cancel (1) and a failed log-on (3).
    bool Send(FLAGS flags);

    // 0; 1 when the library could not be loaded; 3 when a recipient could not be
    // added; after a send, MAPISendMail's result.
    ULONG status() const { return status_; }

private:
    bool HandOver(FLAGS flags);

    MapiMessage message_;
    MapiRecipDesc originator_;
    ULONG status_;
    std::string note_;
    std::string subject_;
    std::deque<std::string> names_;  // stable storage for the recipients' names
    std::vector<MapiRecipDesc> recipients_;
    fw::UniqueLibrary library_;
};

}  // namespace services

#endif
