#pragma once
// A small program on the framework for its tests: a document that serialises
// one text, views and a frame that log which of them handled a command, an
// application with its own command, and scripted user-interface services.

#include "FrameworkTestResource.h"
#include "framework/Archive.h"
#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CFrameWindow.h"
#include "framework/CSplitter.h"
#include "framework/CStatusBar.h"
#include "framework/CToolBar.h"
#include "framework/CView.h"
#include "framework/UiServices.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <deque>
#include <initializer_list>
#include <functional>
#include <string>
#include <vector>

namespace fwtest {

// Holds modifier keys down for this thread while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof state);
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256] = {};
};

// Who handled the commands, in order: "view:left", "document", "frame", "app".
inline std::vector<std::string>& handledLog()
{
    static std::vector<std::string> log;
    return log;
}

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT type;
};

// Answers message boxes and file dialogs from scripts and records what was asked.
class ScriptedUiServices : public UiServices {
public:
    ScriptedUiServices() : previous_(UiServices::Install(this)) {}
    ~ScriptedUiServices() override { UiServices::Install(previous_); }

    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        messages.push_back({text, caption, type});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message box: " << CodePage::toUtf8(text);
            return IDCANCEL;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> ChooseFiles(HWND, const FileDialogRequest& request) override
    {
        fileRequests.push_back(request);
        if (fileChoices.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return {};
        }
        std::vector<std::string> choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    }
    bool BrowseForFolder(HWND, const std::string& title, const std::string& initialFolder,
                         std::string& chosen) override
    {
        folderRequests.push_back({title, initialFolder});
        if (folderChoices.empty()) {
            ADD_FAILURE() << "unexpected folder browser";
            return false;
        }
        const std::string choice = folderChoices.front();
        folderChoices.pop_front();
        if (choice.empty()) return false;
        chosen = choice;
        return true;
    }
    bool OpenWithShell(HWND, const std::string& verb, const std::string& file, const std::string& directory) override
    {
        shellRequests.push_back({verb, file, directory});
        if (!shellAccepts) ADD_FAILURE() << "unexpected ShellExecute of " << CodePage::toUtf8(file);
        return shellAccepts;
    }

    std::deque<int> answers;
    std::vector<ShownMessage> messages;
    std::deque<std::vector<std::string>> fileChoices;  // an empty choice cancels
    std::vector<FileDialogRequest> fileRequests;
    std::deque<std::string> folderChoices;                // an empty choice cancels
    std::vector<std::vector<std::string>> folderRequests;  // title, initial folder
    bool shellAccepts = false;                             // false: a shell request fails the test
    std::vector<std::vector<std::string>> shellRequests;   // verb, file, directory

private:
    UiServices* previous_;
};

struct ViewUpdate {
    CView* sender;
    LPARAM hint;
    CObject* hintObject;
};

class TestView : public CView {
public:
    TestView() { AddCommand(IDT_VIEW_COMMAND, [this] { handledLog().push_back("view:" + name); }); }

    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override
    {
        updates.push_back({sender, hint, hintObject});
    }
    using CView::Activate;

    std::string name = "single";
    int initialUpdates = 0;
    std::vector<ViewUpdate> updates;
};

class TestDocument : public CDocument {
public:
    TestDocument()
    {
        AddCommand(IDT_DOC_COMMAND, [] { handledLog().push_back("document"); });
        AddCommand(IDT_CHECKED, [] { handledLog().push_back("document"); });
        AddUpdate(IDT_CHECKED, [](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck();
        });
        AddCommand(IDT_REFUSED, [] { handledLog().push_back("document"); });
        AddUpdate(IDT_REFUSED, [](CCmdUI& ui) { ui.Enable(false); });
    }

    void DeleteContents() override
    {
        ++deleteContentsCalls;
        text.clear();
    }
    void Serialize(Archive& archive) override
    {
        if (archive.isStoring()) {
            if (failSerialize) throw std::runtime_error("refused");
            archive.writeString(text);
        } else {
            text = archive.readString();
        }
    }

    std::string text;
    int deleteContentsCalls = 0;
    bool failSerialize = false;
};

// Tool bar buttons: new, open, gap, the view's command, a command nobody handles.
inline const std::vector<UINT>& testButtons()
{
    static const std::vector<UINT> buttons = {ID_FILE_NEW, ID_FILE_OPEN, CToolBar::Separator, IDT_VIEW_COMMAND,
                                              IDT_UNHANDLED};
    return buttons;
}

class TestFrame : public CFrameWindow {
public:
    TestFrame() { AddCommand(IDT_FRAME_COMMAND, [] { handledLog().push_back("frame"); }); }

    TestView* Left() const { return static_cast<TestView*>(splitter.GetPane(0, 0)); }
    TestView* Right() const { return static_cast<TestView*>(splitter.GetPane(0, 1)); }

    CSplitter splitter;
    CToolBar toolBar;
    CStatusBar statusBar;

protected:
    bool OnCreateClient(CREATESTRUCTW&, CCreateContext&) override
    {
        if (!splitter.CreateStatic(*this)) return false;
        auto left = std::make_unique<TestView>();
        left->name = "left";
        auto right = std::make_unique<TestView>();
        right->name = "right";
        return splitter.CreateView(0, 0, std::move(left), SIZE{150, 100}) != nullptr &&
               splitter.CreateView(0, 1, std::move(right), SIZE{100, 100}) != nullptr;
    }
    bool OnCreate(CREATESTRUCTW& cs) override
    {
        return CFrameWindow::OnCreate(cs) && toolBar.Create(*this, IDR_TEST_FRAME, testButtons()) &&
               statusBar.Create(*this);
    }
    bool PreCreateWindow(CREATESTRUCTW& cs) override
    {
        cs.x = 10;
        cs.y = 10;
        cs.cx = 640;
        cs.cy = 480;
        return true;
    }
};

class TestApp : public CApplication {
public:
    TestApp() { AddCommand(IDT_APP_COMMAND, [] { handledLog().push_back("app"); }); }
};

// The registry key of the tests' application: HKCU\Software\RavloTest.
inline const wchar_t* testCompanyKey() { return L"Software\\RavloTest"; }

inline void pumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A folder of its own under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder()
    {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        // Named by process, so tests running side by side never share one
        // (a temporary file name is free again once its file is deleted).
        static unsigned serial = 0;
        std::wstring name;
        do {
            name = base + std::wstring(L"rft") + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++serial);
        } while (!CreateDirectoryW(name.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
        path_ = CodePage::fromWide(name);
    }
    ~TempFolder()
    {
        for (const std::string& file : files_) {
            SetFileAttributesW(CodePage::toWide(file).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(CodePage::toWide(file).c_str());
        }
        removeTree(CodePage::toWide(path_));
    }
    // Also what the program made in it, such as its backup folder.
    static void removeTree(const std::wstring& folder)
    {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
            const std::wstring path = folder + L"\\" + found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                DeleteFileW(path.c_str());
            else if (found.cFileName[0] != L'.')
                removeTree(path);
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        RemoveDirectoryW(folder.c_str());
    }
    const std::string& Path() const { return path_; }
    // A path in the folder; the file is removed with the folder.
    std::string File(const std::string& name)
    {
        files_.push_back(path_ + "\\" + name);
        return files_.back();
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

// A test application with the test template, scripted services and a
// registry key of its own that is removed afterwards.
class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        handledLog().clear();
        RegDeleteTreeW(HKEY_CURRENT_USER, testCompanyKey());
        app = std::make_unique<TestApp>();
        app->SetRegistryKey("RavloTest");
        app->LoadStdProfileSettings(4);
        app->AddDocTemplate(CDocTemplate::Make<TestDocument, TestFrame, TestView>(IDR_TEST_FRAME));
    }
    void TearDown() override
    {
        app.reset();
        pumpMessages();
        RegDeleteTreeW(HKEY_CURRENT_USER, testCompanyKey());
    }

    // Opens a new document and its frame.
    TestDocument& NewDocument()
    {
        app->OnFileNew();
        EXPECT_NE(nullptr, app->GetMainWindow());
        return *static_cast<TestDocument*>(app->GetDocTemplate()->GetDocument());
    }
    TestFrame& Frame() const { return *static_cast<TestFrame*>(app->GetDocTemplate()->GetFrame()); }
    TestDocument& Document() const { return *static_cast<TestDocument*>(app->GetDocTemplate()->GetDocument()); }
    std::wstring WindowTitle() const
    {
        wchar_t text[256] = {};
        GetWindowTextW(Frame().GetHwnd(), text, 256);
        return text;
    }

    ScriptedUiServices ui;
    std::unique_ptr<TestApp> app;
};

}  // namespace fwtest
