// Command ids that the framework itself handles or sends (exit and help); plain
// #define so that windres reads them in menus and accelerator tables.
#ifndef PEMZ_FRAMEWORK_FRAMEWORKIDS_H
#define PEMZ_FRAMEWORK_FRAMEWORKIDS_H

// clang-format off

#define ID_APP_EXIT     57665
#define ID_HELP_INDEX   57666
#define ID_HELP_FINDER  57667
#define ID_HELP_USING   57668
#define ID_HELP         57670   // F1
#define ID_DEFAULT_HELP 57671

// Resource: the page of the program's .chm for each help context number, "number=page;"
// entries (made by the help compiler); HELP_CONTEXT in HTML Help opens that page.
#define IDR_HTMLHELP_CONTEXTS 57600

// Menu commands the dialogs do not handle go on to the application from this range.
#define ID_MENU_COMMAND_FIRST 0x8000
#define ID_MENU_COMMAND_LAST  0xEFFF

// clang-format on

#endif
