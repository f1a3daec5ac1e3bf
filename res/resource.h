// Resource ids of Ravlo.exe, shared by Ravlo.rc and the C++ code.
#pragma once

// ---------------------------------------------------------------- templates
#define IDR_MAINFRAME                   128   // menu, accelerators, icon, tool bar, document strings
#define IDR_ITEM_CONTEXT                132   // menu: "Create", "編集(&E)", "ダミー" popups

#define IDD_ABOUTBOX                    100
#define IDD_SETTING_FOLDER              103
#define IDD_ITEM_EDIT                   133

// ---------------------------------------------------------------- icons
// 130..135 are image list entries in this order (group, URL, URL-group; each normal, then selected).
#define IDI_GROUP                       130
#define IDI_GROUP_OPEN                  131
#define IDI_URL                         132
#define IDI_URL_SELECTED                133
#define IDI_GROUP_URL                   134
#define IDI_GROUP_URL_OPEN              135
#define IDI_ADDIN                       138   // shown for an add-in that brings no icon
#define IDI_DROP_FRAME1                 139   // drop window animation
#define IDI_DROP_FRAME2                 140

// ---------------------------------------------------------------- commands
#define ID_OPTIONS_UPDATED              151   // sent to the main frame after the options changed
#define ID_WINDOW_RESTORE               152   // sent to the main frame to bring it back from the tray

#define ID_ITEM_NEW_URL                 32772
#define ID_ITEM_NEW_GROUP_URL           32773
#define ID_ITEM_OPEN                    32774
#define ID_ITEM_NEW_GROUP               32775
#define ID_ITEM_EDIT                    32776
#define ID_ITEM_BROWSE                  32777
#define ID_ITEM_DELETE                  32778
#define ID_SETTING_OPTIONS              32782
#define ID_FILE_HTML_OUTPUT             32783
#define ID_PARENT_GROUP                 32784
#define ID_ITEM_RENAME                  32785
#define ID_FILE_INSERT_BOOKMARKS        32787
#define ID_VIEW_DROP_WINDOW             32791
#define ID_SETTING_ADDIN                32792
#define ID_ITEM_MOVE_UP                 32793
#define ID_ITEM_MOVE_DOWN               32794
#define ID_HELP_CONTENTS                32795
#define ID_SETTING_FOLDER               32796
#define ID_ITEM_NEW_SEPARATOR           32797

// ---------------------------------------------------------------- controls
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// About box
#define IDC_ABOUT_VERSION               1024
#define IDC_ABOUT_COPYRIGHT             1025
#define IDC_ADDIN_LIST                  1029

// Settings folder dialog
#define IDC_SETTING_FOLDER_PATH         1031
#define IDC_SETTING_FOLDER_BROWSE       1032

// Item dialog; the three type buttons are one group in the order 1001, 1000, 1006.
#define IDC_ITEM_TYPE_URL               1000
#define IDC_ITEM_TYPE_GROUP             1001
#define IDC_ITEM_URL                    1002
#define IDC_ITEM_TITLE                  1003
#define IDC_ITEM_MESSAGE                1005
#define IDC_ITEM_TYPE_GROUP_URL         1006
#define IDC_ITEM_DATE                   1037
#define IDC_ITEM_TODAY                  1038
#define IDC_ITEM_MARK1                  2000   // marks 1..5 are 2000..2004
#define IDC_ITEM_MARK2                  2001
#define IDC_ITEM_MARK3                  2002
#define IDC_ITEM_MARK4                  2003
#define IDC_ITEM_MARK5                  2004

// ---------------------------------------------------------------- framework ids
// Standard commands (new, open, save, edit, about, exit, bars), the MRU
// entries, the application title, idle text and indicator strings.
#include "framework/resource_fw.h"
