// Resource ids of Ravlo.exe, shared by Ravlo.rc and the C++ code.
#pragma once

// ---------------------------------------------------------------- templates
#define IDR_MAINFRAME                   128   // menu, accelerators, icon, tool bar, document strings
#define IDR_ITEM_CONTEXT                132   // menu: "Create", "編集(&E)", "ダミー" popups

#define IDD_ABOUTBOX                    100
#define IDD_SETTING_FOLDER              103
#define IDD_ITEM_EDIT                   133
#define IDD_DROP_WINDOW                 146
#define IDR_TRAY_MENU                   0x8610   // menu: the notification-area icon's right-click popup
#define IDD_BOOK_IMPORT                 141
#define IDD_URL_LIST_IMPORT             142
#define IDD_HTML_OUTPUT                 144
#define IDD_ADDIN_SETTINGS              145
// The pages of the options sheet, in tab order.
#define IDD_OPTION_SYSTEM               149
#define IDD_OPTION_FOLDER               136
#define IDD_OPTION_HTML                 106
#define IDD_OPTION_DROP_WINDOW          102
#define IDD_OPTION_EDIT                 148

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

// ---------------------------------------------------------------- messages
#define IDS_BOOK_UNREADABLE             160   // %1: the path
#define IDS_ITEMS_TOO_DEEP              161

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
// "並べ替え": the children of the open group by title, URL or date.
#define ID_ITEM_SORT_TITLE              0x8600
#define ID_ITEM_SORT_URL                0x8601
#define ID_ITEM_SORT_DATE               0x8602

// Commands added to the original menus take ids from 0x8400 up, their
// dialogs from 0x8480 and those dialogs' controls from 0x8500, clear of the
// original ranges.
#define ID_FILE_IMPORT_TREE             0x8400
#define ID_FILE_RESTORE_BACKUP          0x8401
#define ID_FILE_EXPORT                  0x8402
#define ID_EDIT_FIND                    0x8403
#define ID_EDIT_FIND_NEXT               0x8404   // the next result of the find dialog
#define IDD_BACKUP_RESTORE              0x8480
#define IDD_FIND                        0x8481
#define IDC_BACKUP_LIST                 0x8500
// Find dialog
#define IDC_FIND_TEXT                   0x8510
#define IDC_FIND_IN_TITLE               0x8511
#define IDC_FIND_IN_URL                 0x8512
#define IDC_FIND_IN_MESSAGE             0x8513
#define IDC_FIND_RESULTS                0x8514
// Their messages take ids from 0x8700.
#define IDS_EXPORT_DONE                 0x8700   // %s: the exported file
#define IDS_EXPORT_FAILED               0x8701   // %s: the file that could not be written
// "重複URLの検索(&P)...": the dialog of every URL held more than once.
#define ID_EDIT_FIND_DUPLICATES         0x8405
#define IDD_DUPLICATES                  0x8482
#define IDC_DUPLICATE_LIST              0x8520
#define IDS_NO_DUPLICATES               0x8720
#define IDS_REMOVE_DUPLICATES           0x8721   // %1: how many items

// ---------------------------------------------------------------- controls
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// About box
#define IDC_ABOUT_VERSION               1024
#define IDC_ABOUT_COPYRIGHT             1025
#define IDC_ADDIN_LIST                  1029   // also in the HTML output and add-in settings dialogs

// HTML output dialog (marks 1..5 are IDC_ITEM_MARK1..5)
#define IDC_HTML_BROWSE                 1012
#define IDC_ADDIN_SETTINGS              1018
#define IDC_HTML_OUTPUT_PATH            1019
#define IDC_HTML_ALL_ITEMS              1050

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

// Import dialog; its destination group is the radio buttons 1034, 1035.
#define IDC_IMPORT_SOURCES              1033
#define IDC_IMPORT_TO_OPEN_GROUP        1034
#define IDC_IMPORT_TO_TOP_GROUP         1035
// URL list import dialog
#define IDC_URL_LIST                    1036

// Drop window
#define IDC_DROP_ICON                   1041

// Options sheet. The HTML page uses IDC_HTML_OUTPUT_PATH and IDC_HTML_BROWSE.
#define IDC_OPTION_RESTORE              1058
#define IDC_OPTION_MINIMUM_ICON         1059
#define IDC_OPTION_TASK_TRAY            1060
#define IDC_OPTION_MINIMIZED_START      1061
#define IDC_OPTION_FIRST_FILE           1009
#define IDC_OPTION_NEW_BOOK             1010   // the start-up group in the order 1010, 1011, 1013
#define IDC_OPTION_EXISTING_BOOK        1011
#define IDC_OPTION_FIRST_FILE_BROWSE    1012   // the same id as the HTML page's browse button
#define IDC_OPTION_LAST_BOOK            1013
#define IDC_OPTION_OPEN_BROWSER         1021
#define IDC_OPTION_DROP_SHOW            1042   // the drop window's start-up group: 1042, 1043, 1044
#define IDC_OPTION_DROP_HIDE            1043
#define IDC_OPTION_DROP_AS_LAST_TIME    1044
#define IDC_OPTION_DROP_CENTER          1045   // its placement group: 1045, 1046
#define IDC_OPTION_DROP_LAST_POSITION   1046
#define IDC_OPTION_ADD_AT_END           1052
#define IDC_OPTION_ADD_AT_HEAD          1053   // the placement group in the order 1053, 1052
#define IDC_OPTION_SAME_ITEM_TYPE       1055
#define IDC_OPTION_SAME_URL_GROUP       1056

// ---------------------------------------------------------------- framework ids
// Standard commands (new, open, save, edit, about, exit, bars), the MRU
// entries, the application title, idle text and indicator strings.
#include "framework/resource_fw.h"
