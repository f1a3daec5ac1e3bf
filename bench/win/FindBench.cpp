// Times the find dialog of the real main window on a large book:
//   FindBench BOOK.rvl
// The dialog opens through its command (and makes the index of the book's
// texts); then a one-word query is typed at once (the first result list), a
// query letter by letter (each further keystroke), a word every link holds
// (the longest result list); then the first group leaves (its results go,
// and the index is made again) and a query is typed after that change. Each
// time runs until every message the operation caused has been handled.
// Prints "operation milliseconds" lines.

#include "BenchApp.h"
#include "app/CFindDlg.h"
#include "app/CMainFrame.h"
#include "model/CRavloDoc.h"
#include "res/resource.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

class Session {
public:
    Session(BenchApp& app, CMainFrame& frame)
        : app_(app), frame_(frame), document_(*dynamic_cast<CRavloDoc*>(frame.GetActiveDocument()))
    {
    }

    void run()
    {
        report("open", [&] { SendMessageW(frame_.GetHwnd(), WM_COMMAND, ID_EDIT_FIND, 0); });
        edit_ = GetDlgItem(frame_.findDialog()->GetHwnd(), IDC_FIND_TEXT);
        type("first_list", L"天気");
        for (const wchar_t* query : {L"w", L"we", L"wea", L"weat", L"weath", L"weathe", L"weather", L"weather ",
                                     L"weather 東", L"weather 東京"})
            type("keystroke", query);
        type("every_link", L"http");
        BookmarkItem& top = *document_.rootItem()->children.front();
        report("remove_group", [&] { document_.editor().removeItems(top, {top.children.itemAt(0)}); });
        type("after_change", L"天気");
        // Closing asks nothing.
        document_.SetModifiedFlag(false);
    }

private:
    template <class Operation>
    void report(const char* name, Operation operation)
    {
        std::printf("%s %.1f\n", name, app_.settledMs(operation));
        std::fflush(stdout);
    }

    void type(const char* name, const wchar_t* query)
    {
        report(name, [&] { SetWindowTextW(edit_, query); });
    }

    BenchApp& app_;
    CMainFrame& frame_;
    CRavloDoc& document_;
    HWND edit_ = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: FindBench BOOK.rvl\n", stderr);
        return 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    BenchApp app(argv[1]);
    auto* frame = app.InitInstance() ? dynamic_cast<CMainFrame*>(app.GetMainWindow()) : nullptr;
    if (frame == nullptr || frame->GetActiveDocument() == nullptr) {
        std::fputs("FindBench: the main window did not open\n", stderr);
        return 1;
    }
    Session(app, *frame).run();
    SendMessageW(frame->GetHwnd(), WM_CLOSE, 0, 0);
    return 0;
}
