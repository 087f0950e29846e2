// Ids of the framework tests' own dialog templates and commands.
#ifndef PEMZ_TESTS_FRAMEWORK_FRAMEWORKTESTIDS_H
#define PEMZ_TESTS_FRAMEWORK_FRAMEWORKTESTIDS_H

// clang-format off

#define IDD_TEST_AT_ORIGIN  200   // template at 0,0: centred when still hidden after initialisation
#define IDD_TEST_PLACED     201   // template at 10,10: stays where the template puts it

#define IDC_TEST_EDIT        300
#define IDC_TEST_COMBO       301
#define IDC_TEST_LINK        310  // owner-drawn button
#define IDC_TEST_TWICE       320  // listed twice in the dialog's table
#define IDC_TEST_DIGIT_FIRST 330
#define IDC_TEST_DIGIT_LAST  339
#define IDC_TEST_ADD         345  // handler with a bound argument
#define IDC_TEST_NOT_MENU    500  // in the application's table, but below the menu range
#define IDC_TEST_NOBODY      103

#define ID_TEST_DIALOG_MENU  0x8001  // handled by the dialog (and listed by the application)
#define ID_TEST_APP_MENU     0x8002  // handled by the application only
#define ID_TEST_NOBODY_MENU  0x9000  // handled by nobody

// clang-format on

#endif
