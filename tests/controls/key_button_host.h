// Identifiers of the control-test host dialog (key_button_host.rc); the keys and the
// dialog buttons use the program's own ids from res/resource.h.
#ifndef PEMZ_TESTS_CONTROLS_KEY_BUTTON_HOST_H
#define PEMZ_TESTS_CONTROLS_KEY_BUTTON_HOST_H

// clang-format off

#define IDD_CONTROL_HOST    900

// Spare buttons without a face of their own: rows of pushed and disabled faces.
#define IDC_SPARE_PUSHED    3001  // 3001..3006 keys, 3007..3009 dialog buttons
#define IDC_SPARE_DISABLED  3011  // 3011..3016 keys, 3017..3019 dialog buttons
#define SPARE_COUNT         9

#define IDC_TEXT_BUTTON     3100  // no face bitmap, WS_EX_CLIENTEDGE in the template
#define IDC_UNDER_BUTTON    3200  // lies beneath IDC_COVER_PICTURE
#define IDC_COVER_PICTURE   3     // a "PemzBitmap" without a bitmap (none has id 3)
#define IDC_GRID            3300
#define IDC_STOPPER         3400
#define IDC_LOGO_NATURAL    60532 // -5004 as a 16-bit control id
#define IDC_LOGO_STRETCHED  5004
#define IDC_PLACEHOLDER     0

// clang-format on

#endif
