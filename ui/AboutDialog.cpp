// The about box: fills the version line, attaches the links and greys those whose
// service the machine lacks.
#include "ui/AboutDialog.h"

#include "res/resource.h"
#include "services/Browser.h"
#include "services/MailMessage.h"
#include "services/Version.h"
#include "ui/WindowText.h"

namespace ui {

const fw::CommandEntry AboutDialog::kCommands[] = {
    fw::OnCommand<&AboutDialog::OnOK>(IDC_EXIT),
    fw::OnCommand<&AboutDialog::OnWebLink>(IDC_WEB_LINK),
    fw::OnCommand<&AboutDialog::OnMailLink>(IDC_MAIL_LINK),
};

fw::CommandTable AboutDialog::Commands() const { return kCommands; }

AboutDialog::AboutDialog() : fw::Dialog(IDD_ABOUT), webLink_(), mailLink_() {}

bool AboutDialog::OnInitDialog() {
    webLink_.SubclassDlgItem(IDC_WEB_LINK, *this);
    mailLink_.SubclassDlgItem(IDC_MAIL_LINK, *this);
    ::SetDlgItemTextA(Hwnd(), IDC_VERSION, services::FormatVersion("Version ").c_str());
    if (!services::IsBrowserAvailable() && Item(IDC_WEB_LINK)) ::EnableWindow(Item(IDC_WEB_LINK), FALSE);
    if (!services::IsMailAvailable() && Item(IDC_MAIL_LINK)) ::EnableWindow(Item(IDC_MAIL_LINK), FALSE);
    // The focus goes to the first tab stop, "S&ortir".
    return fw::Dialog::OnInitDialog();
}

void AboutDialog::OnWebLink() { services::OpenUrl(WindowText(Item(IDC_WEB_LINK))); }

void AboutDialog::OnMailLink() { services::SendSupportMail(WindowText(Item(IDC_MAIL_LINK))); }

}  // namespace ui
