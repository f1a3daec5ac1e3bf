#include "app/CTrayIcon.h"
#include "ThreadWindows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

const wchar_t receiverClass[] = L"TrayIconProcWindow";

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW record;
};
std::vector<ShellCall> shellCalls;
bool shellAccepts = true;

BOOL WINAPI scriptedShell(DWORD message, PNOTIFYICONDATAW record)
{
    shellCalls.push_back({message, *record});
    return shellAccepts;
}

using Notification = std::pair<UINT, UINT>;
using Notifications = std::vector<Notification>;

class RecordingTray : public CTrayIcon {
public:
    Notifications heard;

protected:
    void OnTrayNotify(UINT id, UINT mouseMessage) override { heard.emplace_back(id, mouseMessage); }
};

class ThrowingTray : public CTrayIcon {
protected:
    void OnTrayNotify(UINT, UINT) override { throw std::runtime_error("handler failed"); }
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        realShell = CTrayIcon::shellNotify;
        CTrayIcon::shellNotify = scriptedShell;
        shellCalls.clear();
        shellAccepts = true;
    }
    void TearDown() override { CTrayIcon::shellNotify = realShell; }

    // The record the shell was given when the icon was added.
    static NOTIFYICONDATAW addedRecord(int id)
    {
        for (const ShellCall& call : shellCalls)
            if (call.message == NIM_ADD && call.record.uID == static_cast<UINT>(id)) return call.record;
        ADD_FAILURE() << "icon " << id << " was never offered to the shell";
        return NOTIFYICONDATAW{};
    }
    // Acts as the shell does: posts the icon's callback message to the receiver in its record.
    static void notify(const NOTIFYICONDATAW& record, UINT mouseMessage)
    {
        SendMessageW(record.hWnd, record.uCallbackMessage, record.uID, mouseMessage);
    }
    static size_t deletions()
    {
        size_t count = 0;
        for (const ShellCall& call : shellCalls) count += call.message == NIM_DELETE;
        return count;
    }

    CTrayIcon::ShellNotify realShell = nullptr;
    const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
};

TEST_F(TrayIconTest, IconRecordNamesHiddenReceiverAndRegisteredMessage)
{
    RecordingTray tray;
    const int id = tray.AddIcon(icon);
    ASSERT_GT(id, 0);
    ASSERT_EQ(1u, shellCalls.size());
    const NOTIFYICONDATAW record = addedRecord(id);
    EXPECT_EQ(sizeof(NOTIFYICONDATAW), record.cbSize);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON), record.uFlags);
    EXPECT_EQ(RegisterWindowMessageW(L"CTrayIcon"), record.uCallbackMessage);
    EXPECT_EQ(icon, record.hIcon);

    ASSERT_TRUE(IsWindow(record.hWnd));
    wchar_t className[64] = {};
    GetClassNameW(record.hWnd, className, 64);
    EXPECT_STREQ(receiverClass, className);
    EXPECT_EQ(0, GetWindowTextLengthW(record.hWnd));
    EXPECT_FALSE(IsWindowVisible(record.hWnd));
    EXPECT_EQ(nullptr, GetParent(record.hWnd));
}

TEST_F(TrayIconTest, TwoObjectsGetConsecutiveIdsAndEachHearsOnlyItsOwnIcon)
{
    RecordingTray first;
    RecordingTray second;
    const int firstId = first.AddIcon(icon);
    const int secondId = second.AddIcon(icon);
    ASSERT_GT(firstId, 0);
    EXPECT_EQ(firstId + 1, secondId);
    const NOTIFYICONDATAW firstRecord = addedRecord(firstId);
    const NOTIFYICONDATAW secondRecord = addedRecord(secondId);
    EXPECT_NE(firstRecord.hWnd, secondRecord.hWnd);

    notify(firstRecord, WM_LBUTTONDBLCLK);
    notify(secondRecord, WM_RBUTTONUP);
    notify(firstRecord, WM_MOUSEMOVE);
    EXPECT_EQ(Notifications({{firstId, WM_LBUTTONDBLCLK}, {firstId, WM_MOUSEMOVE}}), first.heard);
    EXPECT_EQ(Notifications({{secondId, WM_RBUTTONUP}}), second.heard);
}

TEST_F(TrayIconTest, NotificationForAnIdWithoutOwnerIsIgnored)
{
    RecordingTray tray;
    const int id = tray.AddIcon(icon);
    NOTIFYICONDATAW stray = addedRecord(id);
    stray.uID = static_cast<UINT>(id + 1000);
    notify(stray, WM_LBUTTONUP);
    EXPECT_TRUE(tray.heard.empty());
}

TEST_F(TrayIconTest, RemovingAnIdTheObjectDoesNotShowHasNoEffect)
{
    RecordingTray tray;
    RecordingTray other;
    const int id = tray.AddIcon(icon);
    const int otherId = other.AddIcon(icon);
    EXPECT_EQ(1, tray.RemoveIcon(id + 1000));
    EXPECT_EQ(1, tray.RemoveIcon(otherId));
    EXPECT_EQ(0u, deletions());

    const NOTIFYICONDATAW record = addedRecord(id);
    EXPECT_TRUE(IsWindow(record.hWnd));
    notify(record, WM_LBUTTONUP);
    notify(addedRecord(otherId), WM_LBUTTONUP);
    EXPECT_EQ(Notifications({{id, WM_LBUTTONUP}}), tray.heard);
    EXPECT_EQ(Notifications({{otherId, WM_LBUTTONUP}}), other.heard);
}

TEST_F(TrayIconTest, ReceiverLivesUntilTheLastIconIsRemoved)
{
    RecordingTray tray;
    const int firstId = tray.AddIcon(icon);
    const int secondId = tray.AddIcon(icon);
    const NOTIFYICONDATAW firstRecord = addedRecord(firstId);
    EXPECT_EQ(firstRecord.hWnd, addedRecord(secondId).hWnd);

    EXPECT_EQ(1, tray.RemoveIcon(firstId));
    ASSERT_EQ(1u, deletions());
    EXPECT_EQ(static_cast<UINT>(firstId), shellCalls.back().record.uID);
    EXPECT_TRUE(IsWindow(firstRecord.hWnd));
    notify(firstRecord, WM_LBUTTONUP);
    EXPECT_TRUE(tray.heard.empty());

    EXPECT_EQ(1, tray.RemoveIcon(secondId));
    EXPECT_FALSE(IsWindow(firstRecord.hWnd));
    EXPECT_EQ(nullptr, findThreadWindow(receiverClass));
}

TEST_F(TrayIconTest, RefusedIconLeavesNoReceiverBehind)
{
    RecordingTray tray;
    shellAccepts = false;
    EXPECT_EQ(0, tray.AddIcon(icon));
    ASSERT_EQ(1u, shellCalls.size());
    EXPECT_FALSE(IsWindow(shellCalls[0].record.hWnd));
    EXPECT_EQ(nullptr, findThreadWindow(receiverClass));
}

TEST_F(TrayIconTest, RefusedSecondIconKeepsTheFirstWorking)
{
    RecordingTray tray;
    const int id = tray.AddIcon(icon);
    shellAccepts = false;
    EXPECT_EQ(0, tray.AddIcon(icon));
    const NOTIFYICONDATAW record = addedRecord(id);
    EXPECT_TRUE(IsWindow(record.hWnd));
    notify(record, WM_LBUTTONDBLCLK);
    EXPECT_EQ(Notifications({{id, WM_LBUTTONDBLCLK}}), tray.heard);
}

TEST_F(TrayIconTest, DestroyingTheObjectRemovesAllItsIcons)
{
    NOTIFYICONDATAW record{};
    int ids[2] = {};
    {
        RecordingTray tray;
        ids[0] = tray.AddIcon(icon);
        ids[1] = tray.AddIcon(icon);
        record = addedRecord(ids[0]);
    }
    ASSERT_EQ(2u, deletions());
    EXPECT_EQ(static_cast<UINT>(ids[0]), shellCalls[2].record.uID);
    EXPECT_EQ(static_cast<UINT>(ids[1]), shellCalls[3].record.uID);
    EXPECT_FALSE(IsWindow(record.hWnd));
    EXPECT_EQ(nullptr, findThreadWindow(receiverClass));
}

TEST_F(TrayIconTest, RemovedIconsNoLongerReachTheirFormerOwner)
{
    RecordingTray tray;
    RecordingTray keeper;  // keeps a receiver alive to deliver to
    const int id = tray.AddIcon(icon);
    const int keeperId = keeper.AddIcon(icon);
    tray.RemoveAllIcons();
    NOTIFYICONDATAW stale = addedRecord(keeperId);
    stale.uID = static_cast<UINT>(id);
    notify(stale, WM_LBUTTONUP);
    EXPECT_TRUE(tray.heard.empty());
    EXPECT_TRUE(keeper.heard.empty());
}

TEST_F(TrayIconTest, HandlerExceptionStopsAtTheReceiver)
{
    ThrowingTray tray;
    const int id = tray.AddIcon(icon);
    const NOTIFYICONDATAW record = addedRecord(id);
    EXPECT_EQ(0, SendMessageW(record.hWnd, record.uCallbackMessage, record.uID, WM_LBUTTONUP));
}

TEST_F(TrayIconTest, RealShellEitherShowsTheIconOrLeavesNothingBehind)
{
    CTrayIcon::shellNotify = realShell;
    RecordingTray tray;
    const int id = tray.AddIcon(icon);
    // Wine's null graphics driver has no notification area and refuses.
    if (id == 0) {
        EXPECT_EQ(nullptr, findThreadWindow(receiverClass));
        return;
    }
    EXPECT_NE(nullptr, findThreadWindow(receiverClass));
    tray.RemoveIcon(id);
    EXPECT_EQ(nullptr, findThreadWindow(receiverClass));
}

}  // namespace
