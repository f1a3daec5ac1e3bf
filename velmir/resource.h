#pragma once
// Resource ids of Velmir.dll.

#define IDI_VELMIR 1003

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The settings sheet and its pages.
#define IDD_SETTING_COLOR 101
#define IDD_SETTING_SHEET 102
#define IDD_COLOR_PICKER 103
#define IDD_SETTING_MESSAGE 106

#define IDC_PAGE_TAB 1005
#define IDC_PROFILE_BOX 1007
#define IDC_FIRST_MESSAGE 1018

// Swatches of the colour page.
#define IDC_SWATCH_BACKGROUND 1020
#define IDC_SWATCH_TEXT 1021
#define IDC_SWATCH_LINK 1022
#define IDC_SWATCH_VLINK 1023
#define IDC_SWATCH_ALINK 1024
#define IDC_SWATCH_HIGH_GROUP 1025
#define IDC_SWATCH_GROUP 1026

// The colour picker.
#define IDC_PICKER_PREVIEW 1002
#define IDC_BROWSER_DEFAULT 1003
#define IDC_RED_SLIDER 1025
#define IDC_BLUE_SLIDER 1026
#define IDC_GREEN_SLIDER 1027
#define IDC_RED_VALUE 1028
#define IDC_GREEN_VALUE 1029
#define IDC_BLUE_VALUE 1030
