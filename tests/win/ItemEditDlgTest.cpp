// The item dialog driven through its controls: common values of several
// items, undecided marks, type changes and which fields OK writes back.

#include "ModalDriver.h"
#include "model/BookmarkItem.h"
#include "res/resource.h"
#include "views/CItemEditDlg.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

ItemRef makeItem(ItemType type, const std::string& title, const std::string& url = "",
                 const std::string& message = "", const std::string& date = "2020/01/02",
                 const std::string& marks = "")
{
    ItemRef item = BookmarkItem::create();
    item->assignFields(type, url, title, message, date);
    item->marks = marks;
    return item;
}

struct DialogRun {
    std::vector<ItemRef> items;
    int focusMode = 0;
    bool topLevel = false;

    INT_PTR run(std::function<void(HWND)> action)
    {
        CItemEditDlg dialog;
        for (const ItemRef& item : items) dialog.items.push_back(item.get());
        dialog.focusMode = focusMode;
        dialog.topLevel = topLevel;
        ModalDriver driver(std::move(action));
        return dialog.DoModal(nullptr);
    }
};

std::wstring text(HWND dialog, int id)
{
    wchar_t buffer[256] = {};
    GetDlgItemTextW(dialog, id, buffer, 256);
    return buffer;
}

bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
UINT checkState(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id); }
void click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
void press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::wstring todayFromSystem()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t buffer[16] = {};
    std::swprintf(buffer, 16, L"%04u/%02u/%02u", now.wYear, now.wMonth, now.wDay);
    return buffer;
}

std::string narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

TEST(ItemEditDlg, DifferentTitlesStartEmptyAndStayUntouched)
{
    DialogRun run{{makeItem(ItemType::Url, "一", "http://a/", "m", "2020/01/02"),
                   makeItem(ItemType::Url, "二", "http://a/", "m", "2021/03/04")}};
    std::wstring title, url, message, date;
    UINT urlType = BST_UNCHECKED;
    const INT_PTR result = run.run([&](HWND dialog) {
        title = text(dialog, IDC_ITEM_TITLE);
        url = text(dialog, IDC_ITEM_URL);
        message = text(dialog, IDC_ITEM_MESSAGE);
        date = text(dialog, IDC_ITEM_DATE);
        urlType = checkState(dialog, IDC_ITEM_TYPE_URL);
        press(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(title, L"");
    EXPECT_EQ(url, L"http://a/");
    EXPECT_EQ(message, L"m");
    EXPECT_EQ(date, L"");
    EXPECT_EQ(urlType, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(run.items[0]->title, "一");
    EXPECT_EQ(run.items[1]->title, "二");
    EXPECT_EQ(run.items[0]->date, "2020/01/02");
    EXPECT_EQ(run.items[1]->date, "2021/03/04");
}

TEST(ItemEditDlg, TitleTypedAndDeletedIsWrittenEmptyToNonSeparators)
{
    DialogRun run{{makeItem(ItemType::Url, "一", "http://a/"), makeItem(ItemType::Separator, ""),
                   makeItem(ItemType::Group, "二")}};
    run.items[1]->title = "keep";
    run.run([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_ITEM_TITLE, L"typed");
        SetDlgItemTextW(dialog, IDC_ITEM_TITLE, L"");
        press(dialog, IDOK);
    });
    EXPECT_EQ(run.items[0]->title, "");
    EXPECT_EQ(run.items[1]->title, "keep");
    EXPECT_EQ(run.items[2]->title, "");
    EXPECT_EQ(run.items[0]->url, "http://a/");
    EXPECT_EQ(run.items[0]->type, ItemType::Url);
    EXPECT_EQ(run.items[2]->type, ItemType::Group);
}

TEST(ItemEditDlg, SeparatorsOnlyStillTakeDateAndMarks)
{
    DialogRun run{{makeItem(ItemType::Separator, "", "", "", "2020/01/02"),
                   makeItem(ItemType::Separator, "", "", "", "2020/01/02")}};
    std::vector<int> enabledFields;
    std::wstring dateShown;
    run.run([&](HWND dialog) {
        for (int id : {IDC_ITEM_TITLE, IDC_ITEM_URL, IDC_ITEM_MESSAGE, IDC_ITEM_TYPE_GROUP, IDC_ITEM_TYPE_URL,
                       IDC_ITEM_TYPE_GROUP_URL})
            if (enabled(dialog, id)) enabledFields.push_back(id);
        click(dialog, IDC_ITEM_TODAY);
        dateShown = text(dialog, IDC_ITEM_DATE);
        click(dialog, IDC_ITEM_MARK3);
        press(dialog, IDOK);
    });
    EXPECT_TRUE(enabledFields.empty());
    EXPECT_EQ(dateShown, todayFromSystem());
    for (const ItemRef& item : run.items) {
        EXPECT_EQ(item->type, ItemType::Separator);
        EXPECT_EQ(item->date, narrow(todayFromSystem()));
        EXPECT_TRUE(item->hasMark(2));
        EXPECT_FALSE(item->hasMark(0));
    }
}

TEST(ItemEditDlg, UndecidedMarkKeepsEachItemsOwnState)
{
    DialogRun run{{makeItem(ItemType::Url, "a", "", "", "", "10"), makeItem(ItemType::Url, "b", "", "", "", "01")}};
    UINT first = 0, second = 0, third = 0;
    run.run([&](HWND dialog) {
        first = checkState(dialog, IDC_ITEM_MARK1);
        second = checkState(dialog, IDC_ITEM_MARK2);
        third = checkState(dialog, IDC_ITEM_MARK3);
        press(dialog, IDOK);
    });
    EXPECT_EQ(first, static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(second, static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(third, static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(run.items[0]->hasMark(0));
    EXPECT_FALSE(run.items[0]->hasMark(1));
    EXPECT_FALSE(run.items[1]->hasMark(0));
    EXPECT_TRUE(run.items[1]->hasMark(1));
}

TEST(ItemEditDlg, ClickedUndecidedMarkIsSetOnAllItems)
{
    DialogRun run{{makeItem(ItemType::Url, "a", "", "", "", "1"), makeItem(ItemType::Url, "b", "", "", "", "")}};
    UINT afterOne = 0, afterTwo = 0;
    run.run([&](HWND dialog) {
        click(dialog, IDC_ITEM_MARK1);
        afterOne = checkState(dialog, IDC_ITEM_MARK1);
        click(dialog, IDC_ITEM_MARK1);
        afterTwo = checkState(dialog, IDC_ITEM_MARK1);
        press(dialog, IDOK);
    });
    EXPECT_EQ(afterOne, static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(afterTwo, static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(run.items[0]->hasMark(0));
    EXPECT_TRUE(run.items[1]->hasMark(0));
}

TEST(ItemEditDlg, ChoosingGroupDisablesUrlButKeepsTypedUrl)
{
    DialogRun run{{makeItem(ItemType::Url, "a", "http://old/", "note")}};
    bool urlBefore = false, urlAfter = true, messageAfter = true;
    run.run([&](HWND dialog) {
        urlBefore = enabled(dialog, IDC_ITEM_URL);
        SetDlgItemTextW(dialog, IDC_ITEM_URL, L"http://new/");
        click(dialog, IDC_ITEM_TYPE_GROUP);
        urlAfter = enabled(dialog, IDC_ITEM_URL);
        messageAfter = enabled(dialog, IDC_ITEM_MESSAGE);
        press(dialog, IDOK);
    });
    EXPECT_TRUE(urlBefore);
    EXPECT_FALSE(urlAfter);
    EXPECT_FALSE(messageAfter);
    EXPECT_EQ(run.items[0]->type, ItemType::Group);
    EXPECT_EQ(run.items[0]->url, "http://new/");
    EXPECT_EQ(run.items[0]->message, "note");
    EXPECT_EQ(run.items[0]->title, "a");
}

TEST(ItemEditDlg, MixedTypesLeaveNoTypeChosenAndUrlEditable)
{
    DialogRun run{{makeItem(ItemType::Url, "a"), makeItem(ItemType::GroupUrl, "b")}};
    std::vector<UINT> states;
    bool urlEnabled = false;
    run.run([&](HWND dialog) {
        for (int id : {IDC_ITEM_TYPE_GROUP, IDC_ITEM_TYPE_URL, IDC_ITEM_TYPE_GROUP_URL})
            states.push_back(checkState(dialog, id));
        urlEnabled = enabled(dialog, IDC_ITEM_URL);
        press(dialog, IDOK);
    });
    EXPECT_EQ(states, std::vector<UINT>(3, BST_UNCHECKED));
    EXPECT_TRUE(urlEnabled);
    EXPECT_EQ(run.items[0]->type, ItemType::Url);
    EXPECT_EQ(run.items[1]->type, ItemType::GroupUrl);
}

TEST(ItemEditDlg, TopLevelGroupOffersTitleDateAndMarksOnly)
{
    DialogRun run{{makeItem(ItemType::Group, "top")}};
    run.topLevel = true;
    std::vector<int> enabledFields;
    run.run([&](HWND dialog) {
        for (int id : {IDC_ITEM_TITLE, IDC_ITEM_URL, IDC_ITEM_MESSAGE, IDC_ITEM_TYPE_GROUP, IDC_ITEM_TYPE_URL,
                       IDC_ITEM_TYPE_GROUP_URL, IDC_ITEM_TODAY, IDC_ITEM_MARK1})
            if (enabled(dialog, id)) enabledFields.push_back(id);
        press(dialog, IDCANCEL);
    });
    EXPECT_EQ(enabledFields, (std::vector<int>{IDC_ITEM_TITLE, IDC_ITEM_TYPE_GROUP, IDC_ITEM_TODAY, IDC_ITEM_MARK1}));
}

TEST(ItemEditDlg, ChildrenForbidTheUrlType)
{
    DialogRun run{{makeItem(ItemType::Group, "parent"), makeItem(ItemType::Url, "leaf")}};
    run.items[0]->addUrlChild("child", "http://c/", "", "");
    bool url = true, groupUrl = false;
    run.run([&](HWND dialog) {
        url = enabled(dialog, IDC_ITEM_TYPE_URL);
        groupUrl = enabled(dialog, IDC_ITEM_TYPE_GROUP_URL);
        press(dialog, IDCANCEL);
    });
    EXPECT_FALSE(url);
    EXPECT_TRUE(groupUrl);
}

TEST(ItemEditDlg, FocusModeOneStartsInTheMessage)
{
    for (int mode : {0, 1}) {
        DialogRun run{{makeItem(ItemType::Url, "a", "http://a/")}};
        run.focusMode = mode;
        int focused = 0;
        run.run([&](HWND dialog) {
            focused = GetDlgCtrlID(GetFocus());
            press(dialog, IDCANCEL);
        });
        EXPECT_EQ(focused, mode == 1 ? IDC_ITEM_MESSAGE : IDC_ITEM_TITLE) << "focus mode " << mode;
    }
}

TEST(ItemEditDlg, CancelTouchesNothing)
{
    DialogRun run{{makeItem(ItemType::Url, "a", "http://a/", "m", "2020/01/02", "1")}};
    const INT_PTR result = run.run([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_ITEM_TITLE, L"changed");
        SetDlgItemTextW(dialog, IDC_ITEM_URL, L"http://changed/");
        click(dialog, IDC_ITEM_TODAY);
        click(dialog, IDC_ITEM_TYPE_GROUP_URL);
        click(dialog, IDC_ITEM_MARK1);
        click(dialog, IDC_ITEM_MARK2);
        press(dialog, IDCANCEL);
    });
    const BookmarkItem& item = *run.items[0];
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(item.title, "a");
    EXPECT_EQ(item.url, "http://a/");
    EXPECT_EQ(item.message, "m");
    EXPECT_EQ(item.date, "2020/01/02");
    EXPECT_EQ(item.type, ItemType::Url);
    EXPECT_EQ(item.marks, "1");
}

TEST(ItemEditDlg, TodayButtonLeavesOtherFieldsUntouched)
{
    DialogRun run{{makeItem(ItemType::Url, "一", "http://a/", "x"), makeItem(ItemType::Url, "二", "http://b/", "y")}};
    run.run([](HWND dialog) {
        click(dialog, IDC_ITEM_TODAY);
        press(dialog, IDOK);
    });
    EXPECT_EQ(run.items[0]->title, "一");
    EXPECT_EQ(run.items[1]->title, "二");
    EXPECT_EQ(run.items[0]->url, "http://a/");
    EXPECT_EQ(run.items[1]->message, "y");
    EXPECT_EQ(run.items[1]->date, narrow(todayFromSystem()));
}

}  // namespace

TEST(ItemEditDlg, BareLineFeedsOfAMessageShowAsLineBreaksAndStayStoredAsTheyWere)
{
    DialogRun run{{makeItem(ItemType::Url, "t", "http://a/", "一行目\n二行目\r\n三行目\n")}};
    std::wstring message;
    LRESULT lines = 0;
    run.run([&](HWND dialog) {
        message = text(dialog, IDC_ITEM_MESSAGE);
        lines = SendDlgItemMessageW(dialog, IDC_ITEM_MESSAGE, EM_GETLINECOUNT, 0, 0);
        press(dialog, IDOK);
    });
    EXPECT_EQ(L"一行目\r\n二行目\r\n三行目\r\n", message);
    EXPECT_EQ(4, lines);
    // Untouched, the message is not written back.
    EXPECT_EQ("一行目\n二行目\r\n三行目\n", run.items[0]->message);
}
