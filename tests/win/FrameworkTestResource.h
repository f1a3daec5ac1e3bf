#pragma once
// Resources of the framework tests.

#include "framework/resource_fw.h"

#define IDR_TEST_FRAME       128   // menu, accelerators, tool bar bitmap, document strings
#define IDD_TEST_EXCHANGE    200

// Commands, each handled by one kind of target (or by nobody).
#define IDT_VIEW_COMMAND     40001
#define IDT_DOC_COMMAND      40002
#define IDT_FRAME_COMMAND    40003
#define IDT_APP_COMMAND      40004
#define IDT_UNHANDLED        40005
#define IDT_CHECKED          40006   // the document enables and checks it
#define IDT_REFUSED          40007   // handled by the document, but its update disables it
#define IDT_NO_TIP           40008   // a string without a tool tip part

// Controls of the data exchange dialog.
#define IDC_TEST_TEXT        1001
#define IDC_TEST_CHECK       1002
#define IDC_TEST_RADIO_A     1003
#define IDC_TEST_RADIO_B     1004
#define IDC_TEST_RADIO_C     1005
#define IDC_TEST_COMBO       1006
