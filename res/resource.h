// Resource and command identifiers of the program, shared by the .rc files and the C++ code.
#ifndef PEMZ_RES_RESOURCE_H
#define PEMZ_RES_RESOURCE_H

// clang-format off

// ---- Dialog templates ------------------------------------------------------
#define IDD_ABOUT       100
#define IDD_CALCULATOR  102
#define IDD_SETTINGS    103

// ---- Menu and accelerator table (same number) ------------------------------
#define IDR_MAIN        102

// ---- Menu and accelerator commands -----------------------------------------
#define ID_ABOUT        100
#define ID_TOPMOST      101
#define ID_SETTINGS     102
#define ID_ARROW_KEY    103   // arrow keys: translated, then handled by nobody
#define ID_COPY_EURO    104
#define ID_COPY_FRANCS  105
#define ID_PASTE        106
#define ID_COPY         107
#define ID_HOME_PAGE    7005
#define ID_SUPPORT_PAGE 7006

// ---- Keypad keys (control ids; each key's face bitmap has the same id) -----
#define IDC_KEY_0           1000
#define IDC_KEY_1           1001
#define IDC_KEY_2           1002
#define IDC_KEY_3           1003
#define IDC_KEY_4           1004
#define IDC_KEY_5           1005
#define IDC_KEY_6           1006
#define IDC_KEY_7           1007
#define IDC_KEY_8           1008
#define IDC_KEY_9           1009
#define IDC_KEY_ADD         1010
#define IDC_KEY_SUBTRACT    1011
#define IDC_KEY_MULTIPLY    1012
#define IDC_KEY_DIVIDE      1013
#define IDC_KEY_SIGN        1014
#define IDC_KEY_POINT       1015
#define IDC_KEY_PERCENT     1017
#define IDC_KEY_MEMORY_ADD  1018
#define IDC_KEY_MEMORY_STORE 1019
#define IDC_KEY_EQUALS      1020
#define IDC_KEY_CLEAR       1021
#define IDC_KEY_CLEAR_ENTRY 1022
#define IDC_KEY_BACKSPACE   1023
#define IDC_KEY_MEMORY_RECALL 1024
#define IDC_KEY_MEMORY_CLEAR 1025
#define IDC_KEY_RECIPROCAL  1026
#define IDC_KEY_FIRST       IDC_KEY_0
#define IDC_KEY_LAST        IDC_KEY_RECIPROCAL

// ---- Other controls of the calculator dialog -------------------------------
#define IDC_FOCUS_HOLDER     1016
#define IDC_PRECISION        1029
#define IDC_FRANCS_LINE      1030
#define IDC_EURO_LINE        1031
#define IDC_INPUT_EURO       1032
#define IDC_INPUT_FRANCS     1033
#define IDC_MEMORY_INDICATOR 1034
#define IDC_PARITY_LABEL     1036

// ---- Settings dialog controls ----------------------------------------------
#define IDC_PARITY_FIELD     1036
#define IDC_SEPARATOR_FIELD  1037
#define IDC_POINT_FIELD      1038

// ---- About dialog controls (20 also names the "S&ortir" face bitmap) -------
#define IDC_EXIT             20
#define IDC_VERSION          100
#define IDC_WEB_LINK         101
#define IDC_MAIL_LINK        102

// ---- Icons -------------------------------------------------------------------
#define IDI_PROGRAM     128
#define IDI_EURO        129
#define IDI_FRANC       130

// ---- Bitmaps (besides the key faces, which use their control ids) ----------
// Faces of the dialog buttons use IDOK (1), IDCANCEL (2) and IDC_EXIT (20).
#define IDB_LOOKUP      5002
#define IDB_LOGO        5004
#define IDB_CONTACT     5009

// ---- Strings -----------------------------------------------------------------
#define IDS_ARITHMETIC_FAULT 5001  // deliberately absent: shown as "Erreur n°5001"
#define IDS_PROGRAM_KEY      5016
#define IDS_DESCRIPTION      5017
#define IDS_EXTENSION        5018  // deliberately absent: no document extension

// ---- The maker's pages: the menu opens them, the about box shows the second --
#define PEMZ_HOME_PAGE       "https://pemz.example"
#define PEMZ_SUPPORT_PAGE    "https://pemz.example/support"

#ifndef RC_INVOKED
static_assert(IDC_KEY_9 - IDC_KEY_0 == 9, "digit keys must be contiguous");
static_assert(IDC_FOCUS_HOLDER == IDC_KEY_POINT + 1 && IDC_KEY_PERCENT == IDC_FOCUS_HOLDER + 1,
              "the focus holder sits in the gap of the key range");
#endif

// clang-format on

#endif
