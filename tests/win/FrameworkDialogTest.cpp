// A modal dialog from resources with data exchange, driven by a thread timer.

#include "FrameworkTestSupport.h"
#include "framework/CDialogBase.h"
#include "ModalDriver.h"

using namespace fwtest;

namespace {

std::wstring controlText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

bool isChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

class ExchangeDialog : public CDialogBase {
public:
    ExchangeDialog() : CDialogBase(IDD_TEST_EXCHANGE) {}

    std::string text;
    int check = 0;
    int radio = -1;
    int combo = -1;

protected:
    bool OnInitDialog() override
    {
        for (const wchar_t* entry : {L"赤", L"緑", L"青"})
            SendDlgItemMessageW(GetHwnd(), IDC_TEST_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        return CDialogBase::OnInitDialog();
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Text(IDC_TEST_TEXT, text);
        dx.Check(IDC_TEST_CHECK, check);
        dx.Radio(IDC_TEST_RADIO_A, radio);
        dx.ComboIndex(IDC_TEST_COMBO, combo);
    }
};

TEST(FrameworkDialog, MembersFillTheControlsAndOkTakesTheControlsBack)
{
    ExchangeDialog dialog;
    dialog.text = "表示～テスト";
    dialog.check = 1;
    dialog.radio = 2;
    dialog.combo = 1;

    std::wstring shownText;
    bool shownCheck = false, shownA = true, shownC = false;
    int shownCombo = -1;
    ModalDriver driver([&](HWND hwnd) {
        shownText = controlText(hwnd, IDC_TEST_TEXT);
        shownCheck = isChecked(hwnd, IDC_TEST_CHECK);
        shownA = isChecked(hwnd, IDC_TEST_RADIO_A);
        shownC = isChecked(hwnd, IDC_TEST_RADIO_C);
        shownCombo = static_cast<int>(SendDlgItemMessageW(hwnd, IDC_TEST_COMBO, CB_GETCURSEL, 0, 0));

        SetDlgItemTextW(hwnd, IDC_TEST_TEXT, L"新しい名前");
        CheckDlgButton(hwnd, IDC_TEST_CHECK, BST_UNCHECKED);
        CheckDlgButton(hwnd, IDC_TEST_RADIO_C, BST_UNCHECKED);
        CheckDlgButton(hwnd, IDC_TEST_RADIO_B, BST_CHECKED);
        SendDlgItemMessageW(hwnd, IDC_TEST_COMBO, CB_SETCURSEL, 2, 0);
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));

    EXPECT_EQ(CodePage::toWide("表示～テスト"), shownText);
    EXPECT_TRUE(shownCheck);
    EXPECT_FALSE(shownA);
    EXPECT_TRUE(shownC);  // the static between B and C does not count
    EXPECT_EQ(1, shownCombo);

    EXPECT_EQ("新しい名前", dialog.text);
    EXPECT_EQ(0, dialog.check);
    EXPECT_EQ(1, dialog.radio);
    EXPECT_EQ(2, dialog.combo);
}

TEST(FrameworkDialog, CancelLeavesTheMembersAndNoChoiceReadsAsMinusOne)
{
    ExchangeDialog dialog;
    dialog.text = "元のまま";
    ModalDriver cancel([](HWND hwnd) {
        SetDlgItemTextW(hwnd, IDC_TEST_TEXT, L"変更");
        PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal(nullptr));
    EXPECT_EQ("元のまま", dialog.text);

    dialog.radio = 0;
    dialog.combo = 0;
    ModalDriver clear([](HWND hwnd) {
        CheckDlgButton(hwnd, IDC_TEST_RADIO_A, BST_UNCHECKED);
        SendDlgItemMessageW(hwnd, IDC_TEST_COMBO, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_EQ(-1, dialog.radio);
    EXPECT_EQ(-1, dialog.combo);
}

class BrokenDialog : public CDialogBase {
public:
    BrokenDialog() : CDialogBase(IDD_TEST_EXCHANGE) {}

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        std::string text;
        dx.Text(9999, text);  // no such control
    }
};

TEST(FrameworkDialog, AHandlerThatThrowsIsReportedAndTheDialogEnds)
{
    ScriptedUiServices ui;
    ui.answers = {IDOK};
    BrokenDialog dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal(nullptr));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(0u, ui.messages[0].text.find("処理中にエラーが発生しました。"));
}

}  // namespace
