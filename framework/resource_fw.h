#pragma once
// Ids the framework itself defines: standard commands, the strings it
// loads and the child windows of a frame. Plain #defines because resource
// scripts include this file too.

// Standard commands.
#define ID_FILE_NEW          57600
#define ID_FILE_OPEN         57601
#define ID_FILE_SAVE         57603
#define ID_FILE_SAVE_AS      57604
#define ID_FILE_MRU_FILE1    57616
#define ID_FILE_MRU_FILE2    57617
#define ID_FILE_MRU_FILE3    57618
#define ID_FILE_MRU_FILE4    57619
#define ID_EDIT_COPY         57634
#define ID_EDIT_CUT          57635
#define ID_EDIT_PASTE        57637
#define ID_EDIT_UNDO         57643
#define ID_APP_ABOUT         57664
#define ID_APP_EXIT          57665
#define ID_VIEW_TOOLBAR      59392
#define ID_VIEW_STATUS_BAR   59393

// Strings the framework shows: the application's name (also the last part
// of its registry key), the status bar's idle text and its indicators.
#define IDS_APP_TITLE        57344
#define IDS_IDLE_MESSAGE     57345
#define ID_INDICATOR_KANA    59153
#define ID_INDICATOR_CAPS    59154
#define ID_INDICATOR_NUM     59155
#define ID_INDICATOR_SCRL    59156

// Child windows of a frame. A bar's window id is the command that shows and
// hides it; the client (a view or a splitter) is the first pane, and a
// splitter numbers its panes from the same id.
#define IDW_TOOLBAR          ID_VIEW_TOOLBAR
#define IDW_STATUS_BAR       ID_VIEW_STATUS_BAR
#define IDW_PANE_FIRST       59648
