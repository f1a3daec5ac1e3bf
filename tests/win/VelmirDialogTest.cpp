// Velmir's settings dialog through VLOpenSettingDlg: the sheet, its two
// pages and the colour picker, driven by messages, and what "OK" and
// "キャンセル" leave in velmir.xml and in the next page.

#include "ModalDriver.h"
#include "VelmirTestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

using namespace velmirtest;

namespace {

// Control ids of the dialogs.
const int ProfileBox = 1007;
const int PageTab = 1005;
const int FirstMessageEdit = 1018;
const int BackGroundSwatch = 1020;
const int TextSwatch = 1021;
const int LinkSwatch = 1022;
const int VLinkSwatch = 1023;
const int ALinkSwatch = 1024;
const int HighGroupSwatch = 1025;
const int GroupSwatch = 1026;
const int RedSlider = 1025;
const int BlueSlider = 1026;
const int GreenSlider = 1027;
const int PickerPreview = 1002;
const int BrowserDefaultBox = 1003;

std::wstring windowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring itemText(HWND dialog, int id)
{
    return windowText(GetDlgItem(dialog, id));
}

std::vector<std::wstring> tabLabels(HWND tab)
{
    std::vector<std::wstring> labels;
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        labels.push_back(text);
    }
    return labels;
}

std::vector<std::wstring> comboEntries(HWND box)
{
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

// The page inside the sheet's tab control that holds control `id`.
HWND pageWith(HWND sheet, int id)
{
    const HWND tab = GetDlgItem(sheet, PageTab);
    for (HWND page = FindWindowExW(tab, nullptr, L"#32770", nullptr); page != nullptr;
         page = FindWindowExW(tab, page, L"#32770", nullptr))
        if (GetDlgItem(page, id) != nullptr) return page;
    return nullptr;
}

HWND colorPage(HWND sheet) { return pageWith(sheet, BackGroundSwatch); }
HWND messagePage(HWND sheet) { return pageWith(sheet, FirstMessageEdit); }

bool shownAndEnabled(HWND window)
{
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

// What a swatch paints, read back through WM_PRINTCLIENT: "no frame",
// "default" (grey with the diagonals crossing in the middle) or the fill
// colour as "#rrggbb".
std::string swatchShows(HWND swatch)
{
    RECT client;
    GetClientRect(swatch, &client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    std::fill_n(static_cast<uint32_t*>(bits), width * height, 0x00FFFFFFu);
    SendMessageW(swatch, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto pixel = [&](int x, int y) { return static_cast<uint32_t*>(bits)[y * width + x] & 0xFFFFFFu; };
    const uint32_t corner = pixel(0, 0), centre = pixel(width / 2, height / 2), fill = pixel(width / 2, height / 4);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);

    if (corner != 0) return "no frame";
    if (centre == 0 && fill == 0xC0C0C0u) return "default";
    char text[16];
    std::snprintf(text, sizeof text, centre == fill ? "#%06x" : "mixed %06x", static_cast<unsigned>(fill));
    return text;
}

std::string swatchShows(HWND sheet, int id)
{
    return swatchShows(GetDlgItem(colorPage(sheet), id));
}

bool isChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int sliderPosition(HWND picker, int id)
{
    return static_cast<int>(SendDlgItemMessageW(picker, id, TBM_GETPOS, 0, 0));
}

// The value labels of red, green and blue.
std::wstring shownValues(HWND picker)
{
    return itemText(picker, 1028) + L" " + itemText(picker, 1029) + L" " + itemText(picker, 1030);
}

// A key on a slider: the trackbar moves and tells the picker.
void pressKey(HWND picker, int sliderId, UINT key)
{
    SendDlgItemMessageW(picker, sliderId, WM_KEYDOWN, key, 0);
    SendDlgItemMessageW(picker, sliderId, WM_KEYUP, key, 0);
}

// A drag of a slider's thumb to `position`.
void dragSlider(HWND picker, int sliderId, int position)
{
    const HWND slider = GetDlgItem(picker, sliderId);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(picker, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(slider));
    SendMessageW(picker, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

void click(HWND dialog, int id)
{
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

// Runs the dialog titled `title` that `open` shows through `drive`; false
// when none came.
bool driveDialog(const std::wstring& title, const std::function<void()>& open, const std::function<void(HWND)>& drive)
{
    bool driven = false;
    ModalDriver driver(
        [&](HWND dialog) {
            driven = true;
            drive(dialog);
        },
        title);
    open();
    return driven;
}

// Clicks a swatch of the colour page and drives the picker it opens.
void pickColor(HWND sheet, int swatchId, const std::function<void(HWND picker)>& drive)
{
    const HWND swatch = GetDlgItem(colorPage(sheet), swatchId);
    const bool driven = driveDialog(L"色指定", [&] {
        SendMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(swatch, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }, drive);
    EXPECT_TRUE(driven) << "no picker for swatch " << swatchId;
}

void setLeadingText(HWND sheet, const std::string& text932)
{
    SetDlgItemTextW(messagePage(sheet), FirstMessageEdit, wide(text932).c_str());
}

void showTab(HWND sheet, int index)
{
    const HWND tab = GetDlgItem(sheet, PageTab);
    SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR header{tab, static_cast<UINT_PTR>(PageTab), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(sheet, WM_NOTIFY, PageTab, reinterpret_cast<LPARAM>(&header));
}

const char* const RedTextProfile = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                   "<Options><Profiles><Select>0</Select><Profile><Name>Default</Name>"
                                   "<BackGround><Default>0</Default><Color>ffffff</Color></BackGround>"
                                   "<Text><Default>0</Default><Color>0000ff</Color></Text>"
                                   "<HighGroup><Default>0</Default><Color>00ff00</Color></HighGroup>"
                                   "<FirstMessage>one\ntwo</FirstMessage></Profile>"
                                   "</Profiles></Options>";

class VelmirDialogTest : public VelmirAddinTest {
protected:
    // Opens the settings through the export and drives the sheet.
    void runSettings(const std::function<void(HWND sheet)>& drive)
    {
        const bool driven = driveDialog(L"設定", openSettings, drive);
        EXPECT_TRUE(driven) << "no settings dialog";
    }
};

// ---------------------------------------------------------------- the sheet

TEST_F(VelmirDialogTest, SheetShowsTheSelectedProfileOnTwoTabs)
{
    writeFile(xmlPath, RedTextProfile);
    loadAndInit();

    runSettings([&](HWND sheet) {
        const HWND tab = GetDlgItem(sheet, PageTab);
        EXPECT_EQ(tabLabels(tab), (std::vector<std::wstring>{L"色", L"文章"}));
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(comboEntries(GetDlgItem(sheet, ProfileBox)), std::vector<std::wstring>{L"Default"});
        EXPECT_EQ(itemText(sheet, ProfileBox), L"Default");

        // The pages fill the tab's display area, without caption or border.
        const HWND colors = colorPage(sheet), message = messagePage(sheet);
        ASSERT_TRUE(colors && message);
        EXPECT_TRUE(shownAndEnabled(colors));
        EXPECT_FALSE(IsWindowVisible(message));
        EXPECT_EQ(GetWindowLongPtrW(colors, GWL_STYLE) & (WS_CAPTION | WS_BORDER), 0);
        RECT display, page;
        GetClientRect(tab, &display);
        TabCtrl_AdjustRect(tab, FALSE, &display);
        GetWindowRect(message, &page);
        MapWindowPoints(nullptr, tab, reinterpret_cast<POINT*>(&page), 2);
        EXPECT_TRUE(EqualRect(&display, &page));

        EXPECT_EQ(swatchShows(sheet, BackGroundSwatch), "#ffffff");
        EXPECT_EQ(swatchShows(sheet, TextSwatch), "#ff0000");
        EXPECT_EQ(swatchShows(sheet, HighGroupSwatch), "#00ff00");
        for (int id : {LinkSwatch, VLinkSwatch, ALinkSwatch, GroupSwatch}) EXPECT_EQ(swatchShows(sheet, id), "default");
        // A bare line feed is shown as a line break.
        EXPECT_EQ(itemText(message, FirstMessageEdit), L"one\r\ntwo");

        showTab(sheet, 1);
        EXPECT_TRUE(shownAndEnabled(message));
        EXPECT_FALSE(IsWindowVisible(colors));
        EXPECT_FALSE(IsWindowEnabled(colors));
        showTab(sheet, 0);
        EXPECT_TRUE(shownAndEnabled(colors));
        EXPECT_FALSE(IsWindowVisible(message));
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(fileBytes(xmlPath), RedTextProfile);
}

TEST_F(VelmirDialogTest, OkSavesThePickedColourAndTheLeadingTextForTheNextPage)
{
    loadAndInit();

    runSettings([&](HWND sheet) {
        pickColor(sheet, LinkSwatch, [](HWND picker) {
            // A swatch on the browser default opens the picker with the box ticked.
            EXPECT_TRUE(isChecked(picker, BrowserDefaultBox));
            EXPECT_EQ(shownValues(picker), L"00 00 00");
            EXPECT_EQ(swatchShows(GetDlgItem(picker, PickerPreview)), "default");

            pressKey(picker, RedSlider, VK_RIGHT);
            EXPECT_EQ(sliderPosition(picker, RedSlider), 17);
            EXPECT_FALSE(isChecked(picker, BrowserDefaultBox));
            dragSlider(picker, BlueSlider, 255);
            EXPECT_EQ(shownValues(picker), L"11 00 FF");
            EXPECT_EQ(swatchShows(GetDlgItem(picker, PickerPreview)), "#1100ff");
            PostMessageW(picker, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(swatchShows(sheet, LinkSwatch), "#1100ff");
        setLeadingText(sheet, "<b>新着</b>\r\n");
        PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    });

    const std::string xml = fileBytes(xmlPath);
    EXPECT_NE(xml.find("<Link><Default>0</Default><Color>ff0011</Color></Link>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<VLink><Default>1</Default>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<FirstMessage>&lt;b&gt;新着&lt;/b&gt;\r\n</FirstMessage>"), std::string::npos) << xml;
    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath), samplePage("<body link=\"#1100ff\">\r\n", "<b>新着</b>\r\n"));
}

TEST_F(VelmirDialogTest, AnUntouchedLeadingTextKeepsItsOwnLineBreaks)
{
    writeFile(xmlPath, RedTextProfile);
    loadAndInit();
    runSettings([](HWND sheet) { PostMessageW(sheet, WM_COMMAND, IDOK, 0); });
    const std::string xml = fileBytes(xmlPath);
    EXPECT_NE(xml.find("<FirstMessage>one\ntwo</FirstMessage>"), std::string::npos) << xml;
}

TEST_F(VelmirDialogTest, CancelLeavesProfileAndFileAsTheyWere)
{
    writeFile(xmlPath, RedTextProfile);
    loadAndInit();
    ASSERT_EQ(makeSamplePage(), 1);
    const std::string pageBefore = fileBytes(pagePath);

    runSettings([&](HWND sheet) {
        pickColor(sheet, TextSwatch, [](HWND picker) {
            dragSlider(picker, GreenSlider, 0x80);
            PostMessageW(picker, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(swatchShows(sheet, TextSwatch), "#ff8000");
        setLeadingText(sheet, "changed");
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });

    EXPECT_EQ(fileBytes(xmlPath), RedTextProfile);
    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath), pageBefore);
    // The profile in memory is untouched too.
    runSettings([&](HWND sheet) {
        EXPECT_EQ(swatchShows(sheet, TextSwatch), "#ff0000");
        EXPECT_EQ(itemText(messagePage(sheet), FirstMessageEdit), L"one\r\ntwo");
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });
}

// A multi-line edit answers Escape with a WM_CLOSE to its own dialog, the page.
TEST_F(VelmirDialogTest, CloseOfAPageClosesTheSheetLikeCancel)
{
    writeFile(xmlPath, RedTextProfile);
    loadAndInit();

    runSettings([&](HWND sheet) {
        showTab(sheet, 1);
        const HWND page = messagePage(sheet);
        setLeadingText(sheet, "changed");
        PostMessageW(page, WM_CLOSE, 0, 0);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        EXPECT_FALSE(IsWindowVisible(sheet));
        // The page itself stays as it was: only the sheet ends.
        EXPECT_NE(GetWindowLongPtrW(page, GWL_STYLE) & WS_VISIBLE, 0);
        // Closes the sheet should the test fail.
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(fileBytes(xmlPath), RedTextProfile);
}

// ---------------------------------------------------------------- the picker

TEST_F(VelmirDialogTest, BrowserDefaultKeepsTheColourForTheNextPicker)
{
    writeFile(xmlPath, RedTextProfile);
    loadAndInit();

    runSettings([&](HWND sheet) {
        pickColor(sheet, TextSwatch, [](HWND picker) {
            EXPECT_FALSE(isChecked(picker, BrowserDefaultBox));
            EXPECT_EQ(shownValues(picker), L"FF 00 00");
            EXPECT_EQ(swatchShows(GetDlgItem(picker, PickerPreview)), "#ff0000");
            for (int id : {RedSlider, GreenSlider, BlueSlider}) {
                const HWND slider = GetDlgItem(picker, id);
                EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 0);
                EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 255);
                EXPECT_EQ(SendMessageW(slider, TBM_GETLINESIZE, 0, 0), 17);
                EXPECT_EQ(SendMessageW(slider, TBM_GETPAGESIZE, 0, 0), 51);
                EXPECT_EQ(SendMessageW(slider, TBM_GETNUMTICS, 0, 0), 16);  // 0, 17, ..., 255
            }
            click(picker, BrowserDefaultBox);
            EXPECT_EQ(swatchShows(GetDlgItem(picker, PickerPreview)), "default");
            PostMessageW(picker, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(swatchShows(sheet, TextSwatch), "default");

        pickColor(sheet, TextSwatch, [](HWND picker) {
            EXPECT_TRUE(isChecked(picker, BrowserDefaultBox));
            EXPECT_EQ(shownValues(picker), L"FF 00 00");
            EXPECT_EQ(swatchShows(GetDlgItem(picker, PickerPreview)), "default");
            // Any slider clears the browser default.
            // Red is at its end: it moves left.
            const std::pair<int, UINT> moves[] = {
                {RedSlider, VK_LEFT}, {GreenSlider, VK_RIGHT}, {BlueSlider, VK_RIGHT}};
            for (const auto& [id, key] : moves) {
                if (!isChecked(picker, BrowserDefaultBox)) click(picker, BrowserDefaultBox);
                EXPECT_EQ(swatchShows(GetDlgItem(picker, PickerPreview)), "default");
                pressKey(picker, id, key);
                EXPECT_FALSE(isChecked(picker, BrowserDefaultBox)) << id;
            }
            pressKey(picker, GreenSlider, VK_NEXT);
            EXPECT_EQ(shownValues(picker), L"EE 44 11");
            EXPECT_EQ(swatchShows(GetDlgItem(picker, PickerPreview)), "#ee4411");
            PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(swatchShows(sheet, TextSwatch), "default");
        PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    });

    const std::string xml = fileBytes(xmlPath);
    EXPECT_NE(xml.find("<Text><Default>1</Default><Color>0000ff</Color></Text>"), std::string::npos) << xml;
    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath).find("text="), std::string::npos);
}

// ---------------------------------------------------------------- profiles

TEST_F(VelmirDialogTest, ProfileBoxIsSortedAndChoosingAnotherEntryChangesNothing)
{
    writeFile(xmlPath, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Options><Profiles><Select>0</Select>"
                       "<Profile><Name>zeta</Name><FirstMessage>z</FirstMessage></Profile>"
                       "<Profile><Name>alpha</Name><FirstMessage>a</FirstMessage>"
                       "<Link><Default>0</Default><Color>ff0000</Color></Link></Profile>"
                       "</Profiles></Options>");
    loadAndInit();

    runSettings([&](HWND sheet) {
        const HWND box = GetDlgItem(sheet, ProfileBox);
        EXPECT_EQ(comboEntries(box), (std::vector<std::wstring>{L"alpha", L"zeta"}));
        EXPECT_EQ(itemText(sheet, ProfileBox), L"zeta");

        SendMessageW(box, CB_SETCURSEL, 0, 0);
        SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(ProfileBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        EXPECT_EQ(swatchShows(sheet, LinkSwatch), "default");
        EXPECT_EQ(itemText(messagePage(sheet), FirstMessageEdit), L"z");
        setLeadingText(sheet, "zz");
        PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    });

    const std::string xml = fileBytes(xmlPath);
    EXPECT_NE(xml.find("<Select>0</Select><Profile><Name>zeta</Name>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<FirstMessage>zz</FirstMessage>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<Name>alpha</Name>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<FirstMessage>a</FirstMessage>"), std::string::npos) << xml;
}

TEST_F(VelmirDialogTest, SaveFailureIsReportedAndTheNewValuesStayForThisRun)
{
    // A folder where velmir.xml should be: nothing can replace it.
    ASSERT_TRUE(CreateDirectoryW(wide(xmlPath).c_str(), nullptr));
    loadAndInit();

    std::wstring text;
    runSettings([&](HWND sheet) {
        setLeadingText(sheet, "kept");
        const bool reported = driveDialog(L"Velmir", [&] { SendMessageW(sheet, WM_COMMAND, IDOK, 0); },
                                          [&](HWND box) {
                                              text = itemText(box, 0xFFFF);
                                              PostMessageW(box, WM_COMMAND, IDOK, 0);
                                          });
        EXPECT_TRUE(reported);
    });

    EXPECT_NE(text.find(L"velmir.xml"), std::wstring::npos) << CodePage::toUtf8(CodePage::fromWide(text));
    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath), samplePage("<body>\r\n", "kept"));
    EXPECT_TRUE(RemoveDirectoryW(wide(xmlPath).c_str()));
}

}  // namespace
