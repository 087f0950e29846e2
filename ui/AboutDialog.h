// The about box: version, the maker's notice and the support links.
#ifndef PEMZ_UI_ABOUTDIALOG_H
#define PEMZ_UI_ABOUTDIALOG_H

#include <vector>

#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "ui/LinkButton.h"

namespace ui {

class AboutDialog : public fw::Dialog {
public:
    AboutDialog();

protected:
    fw::CommandTable Commands() const override;
    bool OnInitDialog() override;

private:
    static const fw::CommandEntry kCommands[];

    // The links' captions are the addresses they open and write to.
    void OnWebLink();
    void OnMailLink();

    void AdoptPictures();

    LinkButton webLink_;
    LinkButton mailLink_;
    // The picture statics' bitmaps: the statics load them from the template and never
    // delete them.
    std::vector<fw::UniqueBitmap> pictures_;
};

}  // namespace ui

#endif
