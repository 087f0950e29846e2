// The about box: fills the version line, attaches the links and greys those whose
// service the machine lacks.
#include "ui/AboutDialog.h"

#include "framework/WindowText.h"
#include "res/resource.h"
#include "services/Browser.h"
#include "services/MailMessage.h"
#include "services/Version.h"

namespace ui {

const fw::CommandEntry AboutDialog::kCommands[] = {
    fw::OnCommand<&AboutDialog::OnOK>(IDC_EXIT),
    fw::OnCommand<&AboutDialog::OnWebLink>(IDC_WEB_LINK),
    fw::OnCommand<&AboutDialog::OnMailLink>(IDC_MAIL_LINK),
};

fw::CommandTable AboutDialog::Commands() const { return kCommands; }

AboutDialog::AboutDialog() : fw::Dialog(IDD_ABOUT), webLink_(), mailLink_(), pictures_() {}

bool AboutDialog::OnInitDialog() {
    AdoptPictures();
    webLink_.SubclassDlgItem(IDC_WEB_LINK, *this);
    mailLink_.SubclassDlgItem(IDC_MAIL_LINK, *this);
    ::SetDlgItemTextA(Hwnd(), IDC_VERSION, services::FormatVersion("Version ").c_str());
    if (!services::IsBrowserAvailable() && Item(IDC_WEB_LINK)) ::EnableWindow(Item(IDC_WEB_LINK), FALSE);
    if (!services::IsMailAvailable() && Item(IDC_MAIL_LINK)) ::EnableWindow(Item(IDC_MAIL_LINK), FALSE);
    // The focus goes to the first tab stop, "S&ortir".
    return fw::Dialog::OnInitDialog();
}

// Each opening would otherwise leave its two bitmaps behind (about 42 KB).
void AboutDialog::AdoptPictures() {
    pictures_.clear();
    for (HWND child = ::GetWindow(Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[8] = "";
        ::GetClassNameA(child, className, sizeof className);
        if (::lstrcmpiA(className, "Static") != 0 || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        const auto picture = reinterpret_cast<HBITMAP>(::SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (picture) pictures_.emplace_back(picture);
    }
}

void AboutDialog::OnWebLink() { services::OpenUrl(fw::WindowText(Item(IDC_WEB_LINK))); }

void AboutDialog::OnMailLink() { services::SendSupportMail(fw::WindowText(Item(IDC_MAIL_LINK))); }

}  // namespace ui
