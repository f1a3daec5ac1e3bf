// Dragging items out of the book: what the document offers while the drag
// runs, how the dragged items are marked, the effect it hands back, and a
// real OLE drag onto a window that reads the items back through the document.

#include "FrameworkTestSupport.h"
#include "TestDataObject.h"
#include "framework/ComRef.h"
#include "model/CRavloDoc.h"
#include "model/TodayText.h"
#include "tests/common/ExpectSameTree.h"
#include "views/ItemDropSource.h"
#include "views/ItemTransfer.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Stands in for the modal drag loop: keeps what was offered, looks at the
// items while the drag runs and answers as scripted.
struct ScriptedDrag {
    static ScriptedDrag* current;

    static HRESULT WINAPI run(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect)
    {
        ScriptedDrag& self = *current;
        ++self.runs;
        data->AddRef();
        self.offered = ComRef<IDataObject>(data);
        source->AddRef();
        self.source = ComRef<IDropSource>(source);
        self.allowed = allowed;
        if (self.duringDrag) self.duringDrag();
        *effect = self.effect;
        return self.result;
    }

    DWORD effect = DROPEFFECT_MOVE;
    HRESULT result = DRAGDROP_S_DROP;
    std::function<void()> duringDrag;
    int runs = 0;
    ComRef<IDataObject> offered;
    ComRef<IDropSource> source;
    DWORD allowed = 0;
};
ScriptedDrag* ScriptedDrag::current = nullptr;

std::vector<uint32_t> draggingMarks(const BookmarkItem& item)
{
    std::vector<uint32_t> marks{item.dragging};
    for (const ItemRef& child : item.children) {
        const std::vector<uint32_t> below = draggingMarks(*child);
        marks.insert(marks.end(), below.begin(), below.end());
    }
    return marks;
}

std::string blockOf(IDataObject* data, CLIPFORMAT format)
{
    FORMATETC request{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&request, &medium))) return "(none)";
    const char* bytes = static_cast<const char*>(GlobalLock(medium.hGlobal));
    std::string copy(bytes, GlobalSize(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return copy;
}

class DocumentDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        transfer.registerFormats();
        document.setItemTransfer(&transfer);
        ScriptedDrag::current = &drag;
        CRavloDoc::runDrag = ScriptedDrag::run;

        group = root->addGroupChild("グループ", "2002/01/01");
        group->addUrlChild("中", "http://inner/", "一行\n二行", "2002/01/02")->setMark(3, true);
        group->addGroupChild("下", "2002/01/03")->addUrlChild("奥", "http://deep/", "", "2002/01/04");
        link = root->addUrlChild("外", "http://outer/", "", "2002/01/05");
        link->setMark(0, true);
        link->setMark(4, true);
        other = root->addUrlChild("残り", "http://stays/", "", "2002/01/06");
    }
    void TearDown() override { CRavloDoc::runDrag = ::DoDragDrop; }

    DWORD dragBoth() { return document.beginItemDrag({group.get(), link.get()}); }

    ItemTransfer transfer;
    CRavloDoc document;
    ScriptedDrag drag;
    ItemRef root = BookmarkItem::create();
    ItemRef group;
    ItemRef link;
    ItemRef other;
};

TEST_F(DocumentDragTest, DraggedItemsTravelWholeInOurFormatAndComeBackIdentical)
{
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), dragBoth());

    ASSERT_EQ(1, drag.runs);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE), drag.allowed);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), transfer.canAccept(drag.offered.get(), MK_LBUTTON));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), transfer.canAccept(drag.offered.get(), MK_LBUTTON | MK_CONTROL));
    EXPECT_EQ(dndtest::int32Bytes(2), blockOf(drag.offered.get(), transfer.itemCountFormat()));

    std::vector<ItemRef> copies;
    ASSERT_EQ(2u, transfer.readItems(drag.offered.get(), copies, "1999/09/09"));
    ASSERT_EQ(2u, copies.size());
    expectSameTree(*group, *copies[0]);
    expectSameTree(*link, *copies[1]);
    // Every target may read the data again.
    EXPECT_EQ(2u, document.ItemsFromDataObject(drag.offered.get(), copies));
}

TEST_F(DocumentDragTest, OnlyOurTwoFormatsAreOffered)
{
    dragBoth();

    ComRef<IEnumFORMATETC> formats;
    ASSERT_EQ(S_OK, drag.offered->EnumFormatEtc(DATADIR_GET, formats.receive()));
    std::vector<CLIPFORMAT> listed;
    FORMATETC format{};
    while (formats->Next(1, &format, nullptr) == S_OK) listed.push_back(format.cfFormat);
    EXPECT_EQ((std::vector<CLIPFORMAT>{transfer.itemDataFormat(), transfer.itemCountFormat()}), listed);

    FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_NE(S_OK, drag.offered->QueryGetData(&text));
    FORMATETC asStream{transfer.itemDataFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    STGMEDIUM medium{};
    EXPECT_EQ(DV_E_TYMED, drag.offered->GetData(&asStream, &medium));
    EXPECT_EQ(ItemTransfer().canAccept(drag.offered.get(), 0), static_cast<DWORD>(DROPEFFECT_NONE))
        << "unregistered formats match nothing";
}

TEST_F(DocumentDragTest, DraggedSubtreesAreMarkedOnlyWhileTheDragRuns)
{
    std::vector<uint32_t> groupDuring;
    std::vector<uint32_t> linkDuring;
    std::vector<uint32_t> otherDuring;
    drag.duringDrag = [&] {
        groupDuring = draggingMarks(*group);
        linkDuring = draggingMarks(*link);
        otherDuring = draggingMarks(*other);
    };

    dragBoth();

    EXPECT_EQ(std::vector<uint32_t>(4, 1), groupDuring);
    EXPECT_EQ(std::vector<uint32_t>{1}, linkDuring);
    EXPECT_EQ(std::vector<uint32_t>{0}, otherDuring);
    EXPECT_EQ(std::vector<uint32_t>(7, 0), draggingMarks(*root));
}

TEST_F(DocumentDragTest, TheTargetsChoiceIsReturnedAndACancelledDragIsNone)
{
    drag.effect = DROPEFFECT_COPY;
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), dragBoth());

    drag.result = DRAGDROP_S_CANCEL;
    drag.effect = DROPEFFECT_MOVE;
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dragBoth());
    EXPECT_EQ(std::vector<uint32_t>(7, 0), draggingMarks(*root));
}

TEST_F(DocumentDragTest, WithoutTheFormatsNothingIsDraggedOrRead)
{
    CRavloDoc bare;
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), bare.beginItemDrag({link.get()}));
    EXPECT_EQ(0, drag.runs);

    const ComRef<dndtest::TestDataObject> data = dndtest::TestDataObject::make();
    data->offer(dndtest::registeredFormat(L"HTML Format"), "<a href=\"http://a/\">a</a>");
    std::vector<ItemRef> items;
    EXPECT_EQ(0u, bare.ItemsFromDataObject(data.get(), items));
    EXPECT_TRUE(items.empty());
}

TEST_F(DocumentDragTest, DroppedForeignLinkIsDatedToday)
{
    const ComRef<dndtest::TestDataObject> data = dndtest::TestDataObject::make();
    data->offer(dndtest::registeredFormat(L"HTML Format"), "<a href=\"http://a/\">a</a>");
    std::vector<ItemRef> items;

    ASSERT_EQ(1u, document.ItemsFromDataObject(data.get(), items));
    EXPECT_EQ(todayText(), items[0]->date);
}

TEST(ItemDropSourceTest, EscapeCancelsAndLettingGoOfTheButtonDrops)
{
    const ComRef<ItemDropSource> source(new ItemDropSource);
    EXPECT_EQ(DRAGDROP_S_CANCEL, source->QueryContinueDrag(TRUE, MK_LBUTTON));
    EXPECT_EQ(S_OK, source->QueryContinueDrag(FALSE, MK_LBUTTON));
    EXPECT_EQ(S_OK, source->QueryContinueDrag(FALSE, MK_RBUTTON | MK_CONTROL));
    EXPECT_EQ(DRAGDROP_S_DROP, source->QueryContinueDrag(FALSE, MK_CONTROL));
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source->GiveFeedback(DROPEFFECT_MOVE));
    ComRef<IUnknown> unknown;
    EXPECT_EQ(S_OK, source->QueryInterface(IID_PPV_ARGS(unknown.receive())));
    EXPECT_EQ(static_cast<IDropSource*>(source.get()), unknown.get());
    ComRef<IDataObject> notOffered;
    EXPECT_EQ(E_NOINTERFACE, source->QueryInterface(IID_PPV_ARGS(notOffered.receive())));
    EXPECT_FALSE(notOffered);
}

// A drop target window that reads what is dropped through the document.
class ReadingTarget : public ComObject<IDropTarget> {
public:
    explicit ReadingTarget(CRavloDoc& document) : document_(document) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
    {
        ++enters;
        *effect &= DROPEFFECT_MOVE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect &= DROPEFFECT_MOVE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        document_.ItemsFromDataObject(data, received);
        *effect &= DROPEFFECT_MOVE;
        return S_OK;
    }

    int enters = 0;
    std::vector<ItemRef> received;

private:
    CRavloDoc& document_;
};

TEST_F(DocumentDragTest, RealDragDropsTheItemsOnTheWindowUnderThePointer)
{
    CRavloDoc::runDrag = ::DoDragDrop;
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 100, 100, 200, 200,
                                        nullptr, nullptr, nullptr, nullptr);
    const ComRef<ReadingTarget> target(new ReadingTarget(document));
    ASSERT_EQ(S_OK, RegisterDragDrop(window, target.get()));
    SetCursorPos(200, 200);

    // No mouse button is down here, so the drop source drops at once.
    const DWORD effect = dragBoth();

    RevokeDragDrop(window);
    DestroyWindow(window);
    OleUninitialize();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), effect);
    EXPECT_EQ(1, target->enters);
    ASSERT_EQ(2u, target->received.size());
    expectSameTree(*group, *target->received[0]);
    expectSameTree(*link, *target->received[1]);
}

}  // namespace
