// Checks the compiled resources of Ravlo.exe: this test program links the
// same Ravlo.rc, so every resource is looked up in its own module.
#include "res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winver.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

HINSTANCE module() { return GetModuleHandleW(nullptr); }

// ---------------------------------------------------------------- menus

constexpr UINT kSeparator = 0;

struct Entry {
    UINT id;               // kSeparator for a separator
    const wchar_t* text;   // the popup's own text for a popup
};

struct Popup {
    const wchar_t* text;
    std::vector<Entry> entries;
};

std::wstring menuText(HMENU menu, UINT position)
{
    wchar_t text[256] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return text;
}

MENUITEMINFOW menuInfo(HMENU menu, UINT position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    return info;
}

void expectPopup(HMENU bar, UINT position, const Popup& expected)
{
    SCOPED_TRACE(testing::Message() << "popup " << position);
    EXPECT_EQ(expected.text, menuText(bar, position));
    HMENU popup = menuInfo(bar, position).hSubMenu;
    ASSERT_NE(nullptr, popup);
    // Commands added beyond the original program may follow its entries.
    ASSERT_LE(static_cast<int>(expected.entries.size()), GetMenuItemCount(popup));
    for (UINT i = 0; i < expected.entries.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const MENUITEMINFOW info = menuInfo(popup, i);
        EXPECT_EQ(nullptr, info.hSubMenu);
        if (expected.entries[i].id == kSeparator) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_FALSE(info.fType & MFT_SEPARATOR);
        EXPECT_EQ(expected.entries[i].id, info.wID);
        EXPECT_EQ(expected.entries[i].text, menuText(popup, i));
    }
}

void expectMenu(UINT resource, const std::vector<Popup>& popups)
{
    HMENU menu = LoadMenuW(module(), MAKEINTRESOURCEW(resource));
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(static_cast<int>(popups.size()), GetMenuItemCount(menu));
    for (UINT i = 0; i < popups.size(); ++i)
        expectPopup(menu, i, popups[i]);
    DestroyMenu(menu);
}

TEST(ResourceTest, MainMenuHasEveryCommandWithItsText)
{
    expectMenu(IDR_MAINFRAME, {
        {L"ファイル(&F)", {
            {57600, L"新規作成(&N)\tCtrl+N"},
            {57601, L"開く(&O)...\tCtrl+O"},
            {57603, L"上書き保存(&S)\tCtrl+S"},
            {57604, L"名前を付けて保存(&A)..."},
            {kSeparator, nullptr},
            {32783, L"HTML出力(&H)..."},
            {32787, L"他のブックマークを挿入(&I)..."},
            {ID_FILE_IMPORT_TREE, L"フォルダ構造ごとインポート(&T)..."},
            {ID_FILE_RESTORE_BACKUP, L"バックアップから復元(&R)..."},
            {kSeparator, nullptr},
            {57616, L"最近使ったﾌｧｲﾙ"},
            {kSeparator, nullptr},
            {57665, L"終了(&X)"},
        }},
        {L"編集(&E)", {}},
        {L"表示(&V)", {
            {59392, L"ツールバー(&T)"},
            {59393, L"ステータスバー(&S)"},
            {32791, L"ドロップウィンドウ(&D)"},
        }},
        {L"アイテム(&I)", {
            {32775, L"新規グループを作成(&G)..."},
            {32772, L"新規URLを作成(&U)..."},
            {32773, L"新規URL付きグループを作成(&R)..."},
            {32797, L"セパレータを作成(&S)"},
            {32776, L"アイテムの変更(&C)...\tCtrl+Enter"},
            {32778, L"アイテムの削除(&D)...\tDEL"},
            {32793, L"1行上へ\tAlt+Up"},
            {32794, L"1行下へ\tAlt+Down"},
        }},
        {L"設定(&S)", {
            {32782, L"オプション(&O)..."},
            {32792, L"アドイン(&A)..."},
            {32796, L"設定保存フォルダの変更(&F)..."},
        }},
        {L"ヘルプ(&H)", {
            {32795, L"目次(&C)\tF1"},
            {kSeparator, nullptr},
            {57664, L"バージョン情報(&A)..."},
        }},
    });
}

TEST(ResourceTest, ContextMenuStartsWithTheCreatePopupAndNamesHiddenCommands)
{
    expectMenu(IDR_ITEM_CONTEXT, {
        {L"Create", {
            {32775, L"新規グループを作成(&G)"},
            {32772, L"新規URLを作成(&U)"},
            {32773, L"新規URL付きのグループを作成(&T)"},
            {32797, L"セパレータを作成(&S)"},
        }},
        {L"編集(&E)", {
            {57643, L"元に戻す(&U)\tCtrl+Z"},
            {kSeparator, nullptr},
            {57635, L"切り取り(&T)\tCtrl+X"},
            {57634, L"コピー(&C)\tCtrl+C"},
            {57637, L"貼り付け(&P)\tCtrl+V"},
        }},
        {L"ダミー", {
            {151, L"オプション更新"},
            {152, L"ウィンドウ復帰"},
        }},
    });
}

// ---------------------------------------------------------------- accelerators

TEST(ResourceTest, AcceleratorsAreExactlyTheFileEditAndHelpKeys)
{
    HACCEL table = LoadAcceleratorsW(module(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(nullptr, table);
    std::vector<ACCEL> entries(CopyAcceleratorTableW(table, nullptr, 0));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));

    using Key = std::tuple<int, int, int>;  // modifiers, virtual key, command
    std::set<Key> actual;
    for (const ACCEL& entry : entries) {
        EXPECT_TRUE(entry.fVirt & FVIRTKEY) << entry.cmd;
        actual.emplace(entry.fVirt & (FSHIFT | FCONTROL | FALT), entry.key, entry.cmd);
    }
    const std::set<Key> expected = {
        {FCONTROL, 'N', 57600}, {FCONTROL, 'O', 57601}, {FCONTROL, 'S', 57603},
        {FCONTROL, 'C', 57634}, {FCONTROL, VK_INSERT, 57634},
        {FCONTROL, 'V', 57637}, {FSHIFT, VK_INSERT, 57637},
        {FCONTROL, 'X', 57635}, {FSHIFT, VK_DELETE, 57635},
        {FCONTROL, 'Z', 57643}, {FALT, VK_BACK, 57643},
        {0, VK_F1, 32795}, {0, VK_F2, 32785},
    };
    EXPECT_EQ(expected.size(), entries.size());
    EXPECT_EQ(expected, actual);
    DestroyAcceleratorTable(table);
}

// ---------------------------------------------------------------- strings

std::wstring loadString(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

TEST(ResourceTest, CommandStringsHoldPromptAndToolTip)
{
    const std::vector<std::pair<UINT, const wchar_t*>> expected = {
        {32772, L"現在選択されているグループに新しくURLを作成する\n新しくURLを作成する"},
        {32773, L"現在選択されているグループに新しくURL付きグループを作成する\n新しくURL付きグループを作成する"},
        {32775, L"現在選択されているグループに新しくグループを作成する\n新しくグループを作成する"},
        {32776, L"現在選択されているアイテムを変更\n現在選択されているアイテムを変更"},
        {32778, L"現在選択されているアイテムを削除\n現在選択されているアイテムを削除"},
        {32782, L"オプションを設定する\nオプションを設定する"},
        {32783, L"ファイルをHTML形式で出力\nファイルをHTML形式で出力"},
        {32784, L"親グループに戻る\n親グループに戻る"},
        {32787, L"他のブックマークを挿入する\n他のブックマークを挿入する"},
        {32791, L"ドロップウィンドウの表示/非表示\nドロップウィンドウの表示切り替え"},
        {32792, L"アドインの設定\nアドインの設定"},
        {32793, L"現在選択されているアイテムを1行上へ移動\n現在選択されているアイテムを1行上へ移動"},
        {32794, L"現在選択されているアイテムを1行下へ移動\n現在選択されているアイテムを1行下へ移動"},
        {32795, L"ヘルプを表示する\nヘルプを表示する"},
        {32796, L"設定を保存するフォルダを変更する\n設定保存フォルダの変更"},
        {32797, L"現在選択されているグループに新しくセパレータを作成する\n新しくセパレータを作成する"},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(text, loadString(id)) << id;
}

TEST(ResourceTest, FrameworkCommandsHaveAPromptAndTheMenuAndToolBarOnesATip)
{
    const UINT withTip[] = {57600, 57601, 57603, 57604, 57634, 57635, 57637, 57643,
                            57664, 57665, 59392, 59393};
    for (UINT id : withTip) {
        const std::wstring text = loadString(id);
        const size_t lineFeed = text.find(L'\n');
        ASSERT_NE(std::wstring::npos, lineFeed) << id;
        EXPECT_GT(lineFeed, 0u) << id;
        EXPECT_LT(lineFeed + 1, text.size()) << id;
        EXPECT_EQ(std::wstring::npos, text.find(L'\n', lineFeed + 1)) << id;
    }
    for (UINT id = 57616; id < 57616 + 4; ++id)
        EXPECT_FALSE(loadString(id).empty()) << id;
}

TEST(ResourceTest, DocumentStatusBarAndApplicationStrings)
{
    EXPECT_EQ(L"Ravlo\n\nRavlo\nブックマーク ファイル(*.rvl)\n.rvl\nブックマーク ファイル\nブックマーク ファイル",
              loadString(128));
    EXPECT_EQ(L"Ravlo", loadString(57344));
    EXPECT_EQ(L"レディ", loadString(IDS_IDLE_MESSAGE));
    EXPECT_EQ(L"ｶﾅ", loadString(ID_INDICATOR_KANA));
    EXPECT_EQ(L"CAP", loadString(ID_INDICATOR_CAPS));
    EXPECT_EQ(L"NUM", loadString(ID_INDICATOR_NUM));
    EXPECT_EQ(L"SCRL", loadString(ID_INDICATOR_SCRL));
}

// ---------------------------------------------------------------- dialogs

INT_PTR CALLBACK inertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::wstring baseClassName(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    const std::wstring full = name;
    const size_t bang = full.rfind(L'!');  // versioned common control classes
    return bang == std::wstring::npos ? full : full.substr(bang + 1);
}

std::wstring windowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class DialogTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
    }

    void create(UINT resource)
    {
        dialog_ = CreateDialogParamW(module(), MAKEINTRESOURCEW(resource), nullptr, inertDialogProc, 0);
        ASSERT_NE(nullptr, dialog_) << GetLastError();
    }

    void expectClientSizeInDialogUnits(int width, int height)
    {
        RECT expected = {0, 0, width, height};
        ASSERT_TRUE(MapDialogRect(dialog_, &expected));
        RECT client;
        GetClientRect(dialog_, &client);
        EXPECT_EQ(expected.right, client.right);
        EXPECT_EQ(expected.bottom, client.bottom);
    }

    HWND control(int id, const wchar_t* className, const wchar_t* text = nullptr)
    {
        HWND item = GetDlgItem(dialog_, id);
        EXPECT_NE(nullptr, item) << id;
        if (!item)
            return nullptr;
        EXPECT_EQ(0, _wcsicmp(className, baseClassName(item).c_str())) << id;
        if (text) {
            EXPECT_EQ(text, windowText(item)) << id;
        }
        return item;
    }

    LONG style(int id) const { return GetWindowLongW(GetDlgItem(dialog_, id), GWL_STYLE); }

    void expectButton(int id, LONG type, const wchar_t* text)
    {
        control(id, L"Button", text);
        EXPECT_EQ(type, style(id) & BS_TYPEMASK) << id;
    }

    std::vector<std::wstring> childTexts() const
    {
        std::vector<std::wstring> texts;
        for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            texts.push_back(windowText(child));
        return texts;
    }

    void expectLabels(std::initializer_list<const wchar_t*> labels) const
    {
        const std::vector<std::wstring> texts = childTexts();
        for (const wchar_t* label : labels)
            EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), label)) << "missing label";
    }

    HWND dialog_ = nullptr;
};

TEST_F(DialogTest, AboutBoxHasVersionTextsAddinListAndIcon)
{
    create(IDD_ABOUTBOX);
    EXPECT_EQ(L"Ravloのバージョン情報", windowText(dialog_));
    expectClientSizeInDialogUnits(194, 187);
    control(1024, L"Static");
    control(1025, L"Static");
    HWND list = control(1029, L"SysListView32");
    EXPECT_EQ(LVS_REPORT, GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK);
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL);
    expectButton(IDOK, BS_DEFPUSHBUTTON, L"OK");
    expectLabels({L"アドイン(&A):"});

    bool iconShown = false;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            iconShown = SendMessageW(child, STM_GETICON, 0, 0) != 0;
    }
    EXPECT_TRUE(iconShown);
}

TEST_F(DialogTest, SettingFolderDialogHasFolderEditAndBrowseButton)
{
    create(IDD_SETTING_FOLDER);
    EXPECT_EQ(L"設定保存フォルダの指定", windowText(dialog_));
    expectClientSizeInDialogUnits(269, 59);
    control(1031, L"Edit");
    expectButton(1032, BS_PUSHBUTTON, L"参照");
    expectButton(IDOK, BS_DEFPUSHBUTTON, L"OK");
    expectButton(IDCANCEL, BS_PUSHBUTTON, L"キャンセル");
    expectLabels({L"フォルダ(&F):"});
    EXPECT_EQ(GetDlgItem(dialog_, 1031), GetNextDlgTabItem(dialog_, nullptr, FALSE));
}

TEST_F(DialogTest, ItemDialogHasItsFieldsTypeGroupAndMarks)
{
    create(IDD_ITEM_EDIT);
    EXPECT_EQ(L"アイテム編集", windowText(dialog_));
    for (int id : {1003, 1002, 1005, 1037})
        control(id, L"Edit");
    EXPECT_TRUE(style(1005) & ES_MULTILINE);
    EXPECT_TRUE(style(1005) & WS_VSCROLL);
    EXPECT_FALSE(style(1005) & ES_WANTRETURN);
    EXPECT_FALSE(style(1003) & ES_MULTILINE);
    EXPECT_TRUE(style(1037) & ES_READONLY);
    expectButton(1038, BS_PUSHBUTTON, L"現在の日付");
    expectButton(1001, BS_AUTORADIOBUTTON, L"グループ(&G)");
    expectButton(1000, BS_AUTORADIOBUTTON, L"URL(&U)");
    expectButton(1006, BS_AUTORADIOBUTTON, L"URL付きのグループ(&R)");
    const wchar_t* marks[] = {L"マーク1(&1)", L"マーク2(2)", L"マーク3(3)", L"マーク4(4)", L"マーク5(5)"};
    for (int i = 0; i < 5; ++i)
        expectButton(2000 + i, BS_AUTOCHECKBOX, marks[i]);
    expectButton(IDOK, BS_DEFPUSHBUTTON, L"OK");
    expectButton(IDCANCEL, BS_PUSHBUTTON, L"キャンセル");
    expectLabels({L"タイトル(&T):", L"URL(&U):", L"メッセージ(&M):", L"日付", L"アイテムの種類", L"マーク"});

    // The title edit takes the focus when nothing else is asked for.
    EXPECT_EQ(GetDlgItem(dialog_, 1003), GetNextDlgTabItem(dialog_, nullptr, FALSE));
}

TEST_F(DialogTest, ItemTypeButtonsFormOneGroupInTheirIndexOrder)
{
    create(IDD_ITEM_EDIT);
    HWND first = GetDlgItem(dialog_, 1001);
    ASSERT_NE(nullptr, first);
    std::vector<int> group;
    HWND button = first;
    do {
        group.push_back(GetDlgCtrlID(button));
        button = GetNextDlgGroupItem(dialog_, button, FALSE);
    } while (button && button != first && group.size() < 10);
    EXPECT_EQ((std::vector<int>{1001, 1000, 1006}), group);
}

// ---------------------------------------------------------------- icons

const void* resourceData(const wchar_t* name, const wchar_t* type, DWORD* size = nullptr)
{
    HRSRC found = FindResourceW(module(), name, type);
    if (!found)
        return nullptr;
    if (size)
        *size = SizeofResource(module(), found);
    return LockResource(LoadResource(module(), found));
}

// The image of an icon group that exactly matches the size, or nullptr.
const BITMAPINFOHEADER* iconImage(UINT group, int size)
{
    auto directory = static_cast<BYTE*>(const_cast<void*>(resourceData(MAKEINTRESOURCEW(group), RT_GROUP_ICON)));
    if (!directory)
        return nullptr;
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    auto image = static_cast<const BITMAPINFOHEADER*>(resourceData(MAKEINTRESOURCEW(id), RT_ICON));
    return image && image->biWidth == size && image->biHeight == 2 * size ? image : nullptr;
}

const UINT kIcons[] = {IDR_MAINFRAME, IDI_GROUP, IDI_GROUP_OPEN, IDI_URL, IDI_URL_SELECTED,
                       IDI_GROUP_URL, IDI_GROUP_URL_OPEN, IDI_ADDIN, IDI_DROP_FRAME1, IDI_DROP_FRAME2};

TEST(ResourceTest, IconsCarryTheirSizes)
{
    for (UINT id : kIcons) {
        EXPECT_NE(nullptr, iconImage(id, 16)) << id;
        EXPECT_NE(nullptr, iconImage(id, 32)) << id;
    }
    for (UINT id : {IDR_MAINFRAME, IDI_DROP_FRAME1, IDI_DROP_FRAME2})
        EXPECT_NE(nullptr, iconImage(id, 48)) << id;
}

TEST(ResourceTest, IconsAreDistinctPictures)
{
    std::vector<std::string> pictures;
    for (UINT id : kIcons) {
        const BITMAPINFOHEADER* image = iconImage(id, 16);
        ASSERT_NE(nullptr, image) << id;
        const auto bytes = reinterpret_cast<const char*>(image);
        pictures.emplace_back(bytes, bytes + image->biSize + 16 * 16 * 4);
    }
    EXPECT_EQ(pictures.size(), std::set<std::string>(pictures.begin(), pictures.end()).size());
}

// Draws a 16 x 16 icon over a plain background and returns the pixels (0x00RRGGBB).
std::vector<uint32_t> drawOver(HICON icon, uint32_t background)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels(16 * 16, background);
    if (bitmap) {
        std::memcpy(bits, pixels.data(), pixels.size() * 4);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
        GdiFlush();
        std::memcpy(pixels.data(), bits, pixels.size() * 4);
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// Image lists with a plain mask show the small icons too: the corner must be
// see-through and the middle solid, whatever lies below.
TEST(ResourceTest, SmallIconsAreSeeThroughOutsideAndSolidInside)
{
    for (UINT id : kIcons) {
        HICON icon = static_cast<HICON>(LoadImageW(module(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
        ASSERT_NE(nullptr, icon) << id;
        const std::vector<uint32_t> onWhite = drawOver(icon, 0xFFFFFF);
        const std::vector<uint32_t> onBlack = drawOver(icon, 0x000000);
        EXPECT_EQ(0xFFFFFFu, onWhite[0]) << id;
        EXPECT_EQ(0u, onBlack[0]) << id;
        const int middle = 8 * 16 + 8;
        EXPECT_EQ(onWhite[middle], onBlack[middle]) << id;
        EXPECT_NE(0xFFFFFFu, onWhite[middle]) << id;
        DestroyIcon(icon);
    }
}

// ---------------------------------------------------------------- tool bar

TEST(ResourceTest, ToolBarButtonsMatchTheBitmap)
{
    DWORD size = 0;
    auto toolbar = static_cast<const WORD*>(resourceData(MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(241), &size));
    ASSERT_NE(nullptr, toolbar);
    ASSERT_GE(size, 8u);
    EXPECT_EQ(1, toolbar[0]);   // format version
    EXPECT_EQ(16, toolbar[1]);  // button width
    EXPECT_EQ(15, toolbar[2]);  // button height
    const std::vector<WORD> buttons(toolbar + 4, toolbar + 4 + toolbar[3]);
    ASSERT_GE(size, 8u + 2u * buttons.size());
    EXPECT_EQ((std::vector<WORD>{57600, 57601, 57603, 32783, 0, 32784, 0, 57664, 32795}), buttons);

    auto bitmap = static_cast<const BITMAPINFOHEADER*>(resourceData(MAKEINTRESOURCEW(IDR_MAINFRAME), RT_BITMAP));
    ASSERT_NE(nullptr, bitmap);
    const long images = std::count_if(buttons.begin(), buttons.end(), [](WORD id) { return id != 0; });
    EXPECT_EQ(16 * images, bitmap->biWidth);
    EXPECT_EQ(15, bitmap->biHeight);

    // The bar maps its key colour through the colour table, so it needs one.
    ASSERT_LE(bitmap->biBitCount, 8);
    const auto palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(bitmap) + bitmap->biSize);
    const DWORD colours = bitmap->biClrUsed ? bitmap->biClrUsed : 1u << bitmap->biBitCount;
    EXPECT_TRUE(std::any_of(palette, palette + colours, [](const RGBQUAD& c) {
        return c.rgbRed == 192 && c.rgbGreen == 192 && c.rgbBlue == 192;
    }));
}

// ---------------------------------------------------------------- version and manifest

std::wstring versionString(const std::vector<BYTE>& block, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return L"<missing>";
    return value;
}

TEST(ResourceTest, VersionResourceReportsProductVersionInTheJapaneseTable)
{
    wchar_t path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameW(nullptr, path, MAX_PATH));
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    ASSERT_NE(0u, size);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
    EXPECT_EQ(L"1.06", versionString(block, L"ProductVersion"));
    EXPECT_EQ(L"Ravlo", versionString(block, L"ProductName"));
    EXPECT_EQ(L"Tanvex", versionString(block, L"CompanyName"));

    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(0x0411, translation[0]);
    EXPECT_EQ(1200, translation[1]);
}

TEST(ResourceTest, ManifestAsksForCommonControlsSix)
{
    DWORD size = 0;
    auto text = static_cast<const char*>(resourceData(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24), &size));
    ASSERT_NE(nullptr, text);
    const std::string manifest(text, size);
    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, controls);
    EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\"", controls));
}

}  // namespace
