#include "views/CItemEditDlg.h"

#include "model/TodayText.h"
#include "res/resource.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int MarkCount = MarkFilter::MarkCount;
constexpr int TypeButtons[] = {IDC_ITEM_TYPE_GROUP, IDC_ITEM_TYPE_URL, IDC_ITEM_TYPE_GROUP_URL};

int markBox(int index) { return IDC_ITEM_MARK1 + index; }

// The value all `items` share, or `mixed` as soon as two of them differ.
template <typename Value, typename Read>
Value commonValue(const std::vector<BookmarkItem*>& items, Read read, const Value& mixed)
{
    if (items.empty()) return mixed;
    const Value first = read(*items.front());
    const bool shared = std::all_of(items.begin(), items.end(),
                                    [&](const BookmarkItem* item) { return read(*item) == first; });
    return shared ? first : mixed;
}

// A multi-line edit breaks lines only at CR LF; books read from XML carry
// bare LF. A line feed byte never stands inside a double-byte character.
std::string withCrLf(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) shown += '\r';
        shown += text[i];
    }
    return shown;
}

template <typename Apply>
void forEach(const std::vector<BookmarkItem*>& items, Apply apply)
{
    for (BookmarkItem* item : items) apply(*item);
}

}  // namespace

CItemEditDlg::CItemEditDlg() : CDialogBase(IDD_ITEM_EDIT) {}

bool CItemEditDlg::OnInitDialog()
{
    hasChildren = std::any_of(items.begin(), items.end(),
                              [](const BookmarkItem* item) { return !item->children.empty(); });
    const std::vector<BookmarkItem*> editable = nonSeparators();
    if (editable.empty())
        disableItemFields();
    else
        takeCommonValues(editable);
    date = commonValue(items, [](const BookmarkItem& item) { return item.date; }, std::string());
    UpdateData(false);
    // Filling the edits above reported them as changed.
    clearChangeFlags();
    showCommonMarks();
    disableForbiddenTypes();
    if (!editable.empty()) applyEnablingRule();
    const HWND messageEdit = GetItem(IDC_ITEM_MESSAGE);
    // A disabled message field cannot take the caret; the default focus serves then.
    if (focusMode != 1 || !IsWindowEnabled(messageEdit)) return true;
    SetFocus(messageEdit);
    return false;
}

std::vector<BookmarkItem*> CItemEditDlg::nonSeparators() const
{
    std::vector<BookmarkItem*> editable;
    std::copy_if(items.begin(), items.end(), std::back_inserter(editable),
                 [](const BookmarkItem* item) { return !item->isSeparator(); });
    return editable;
}

void CItemEditDlg::takeCommonValues(const std::vector<BookmarkItem*>& editable)
{
    const std::string none;
    title = commonValue(editable, [](const BookmarkItem& item) { return item.title; }, none);
    url = commonValue(editable, [](const BookmarkItem& item) { return item.url; }, none);
    message = withCrLf(commonValue(editable, [](const BookmarkItem& item) { return item.message; }, none));
    typeIndex = commonValue(editable, [](const BookmarkItem& item) { return static_cast<int>(item.type); }, -1);
}

void CItemEditDlg::disableItemFields()
{
    for (int id : {IDC_ITEM_TITLE, IDC_ITEM_URL, IDC_ITEM_MESSAGE}) enable(id, false);
    for (int id : TypeButtons) enable(id, false);
}

void CItemEditDlg::showCommonMarks()
{
    for (int index = 0; index < MarkCount; ++index) {
        const auto mark = [index](const BookmarkItem& item) {
            return item.hasMark(static_cast<size_t>(index)) ? BST_CHECKED : BST_UNCHECKED;
        };
        const int state = commonValue(items, mark, static_cast<int>(BST_INDETERMINATE));
        const HWND box = GetItem(markBox(index));
        // Only a box that starts undecided may show the third state.
        if (state == BST_INDETERMINATE) SendMessageW(box, BM_SETSTYLE, BS_AUTO3STATE, FALSE);
        SendMessageW(box, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void CItemEditDlg::disableForbiddenTypes()
{
    // A group with children cannot become a URL; a top-level group stays a plain group.
    if (hasChildren || topLevel) enable(IDC_ITEM_TYPE_URL, false);
    if (topLevel) enable(IDC_ITEM_TYPE_GROUP_URL, false);
}

void CItemEditDlg::applyEnablingRule()
{
    const bool carriesUrl = !topLevel && typeIndex != static_cast<int>(ItemType::Group);
    enable(IDC_ITEM_URL, carriesUrl);
    enable(IDC_ITEM_MESSAGE, carriesUrl);
}

void CItemEditDlg::clearChangeFlags()
{
    dateChanged = titleChanged = urlChanged = messageChanged = typeChanged = false;
}

void CItemEditDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_ITEM_URL, url);
    dx.Text(IDC_ITEM_TITLE, title);
    dx.Text(IDC_ITEM_MESSAGE, message);
    dx.Text(IDC_ITEM_DATE, date);
    dx.Radio(IDC_ITEM_TYPE_GROUP, typeIndex);
}

bool CItemEditDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (code == EN_CHANGE) {
        if (id == IDC_ITEM_TITLE) titleChanged = true;
        if (id == IDC_ITEM_URL) urlChanged = true;
        if (id == IDC_ITEM_MESSAGE) messageChanged = true;
        return true;
    }
    if (code == BN_CLICKED && std::find(std::begin(TypeButtons), std::end(TypeButtons), id) != std::end(TypeButtons)) {
        onTypeClicked();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_ITEM_TODAY) {
        onTodayClicked();
        return true;
    }
    return CDialogBase::OnCommand(id, code, control);
}

void CItemEditDlg::onTypeClicked()
{
    typeChanged = true;
    UpdateData(true);
    applyEnablingRule();
}

void CItemEditDlg::onTodayClicked()
{
    UpdateData(true);
    dateChanged = true;
    date = todayText();
    // Only the date goes back: refilling the other edits would mark them as
    // changed and OK would then overwrite fields the user never touched.
    CDataExchange dx(GetHwnd(), false);
    dx.Text(IDC_ITEM_DATE, date);
}

void CItemEditDlg::OnOK()
{
    UpdateData(true);
    writeChangedFields();
    writeMarks();
    EndDialog(IDOK);
}

void CItemEditDlg::writeChangedFields()
{
    const std::vector<BookmarkItem*> editable = nonSeparators();
    if (typeChanged && typeIndex >= 0)
        forEach(editable, [this](BookmarkItem& item) { item.type = static_cast<ItemType>(typeIndex); });
    if (titleChanged) forEach(editable, [this](BookmarkItem& item) { item.title = title; });
    if (urlChanged) forEach(editable, [this](BookmarkItem& item) { item.url = url; });
    if (messageChanged) forEach(editable, [this](BookmarkItem& item) { item.message = message; });
    if (dateChanged) forEach(items, [this](BookmarkItem& item) { item.date = date; });
}

void CItemEditDlg::writeMarks()
{
    for (int index = 0; index < MarkCount; ++index) {
        const UINT state = IsDlgButtonChecked(GetHwnd(), markBox(index));
        // The third state leaves every item its own mark.
        if (state == BST_INDETERMINATE) continue;
        forEach(items, [&](BookmarkItem& item) { item.setMark(static_cast<size_t>(index), state == BST_CHECKED); });
    }
}

void CItemEditDlg::enable(int id, bool on)
{
    EnableWindow(GetItem(id), on ? TRUE : FALSE);
}
