// Identifiers of the lookup and group test host dialog (lookup_group_host.rc).
#ifndef PEMZ_TESTS_CONTROLS_LOOKUP_GROUP_HOST_H
#define PEMZ_TESTS_CONTROLS_LOOKUP_GROUP_HOST_H

// clang-format off

#define IDD_LOOKUP_GROUP_HOST 910

#define IDC_LOOKUP_BORDER     4001
#define IDC_LOOKUP_PLAIN      4002
#define IDC_LOOKUP_DISABLED   4003
#define IDC_LOOKUP_PUSHED     4004
#define IDC_LOOKUP_EDGE       4005
#define IDC_GROUP_TWO         4101
#define IDC_GROUP_SIX         4102
#define IDC_GROUP_NINE        4103
#define IDC_UNDER             4201
#define IDC_OTHER             4202

// clang-format on

#endif
