// The document's new, open, save and save-as commands, the save question and
// the file-error messages, with scripted message boxes and file dialogs.

#include "FrameworkTestSupport.h"
#include "framework/ArchiveException.h"
#include "framework/DiskFile.h"
#include "framework/FileErrorMessage.h"
#include "framework/FileException.h"
#include "framework/PathName.h"

#include <new>

using namespace fwtest;

namespace {

const char* const saveQuestion = "%1 への変更を保存しますか?";

std::string storedText(const std::string& path)
{
    DiskFile file(path, DiskFile::Mode::Read);
    Archive archive(file, Archive::Mode::Load);
    return archive.readString();
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    DiskFile file(path, DiskFile::Mode::Write);
    file.write(bytes.data(), bytes.size());
    file.close();
}

class FrameworkDocumentTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        NewDocument();
    }

    void Command(UINT id) { SendMessageW(Frame().GetHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // Saves the document as `path` through the save dialog.
    void SaveAs(const std::string& path)
    {
        ui.fileChoices.push_back({path});
        Command(ID_FILE_SAVE_AS);
    }
    void Edit(const std::string& text)
    {
        Document().text = text;
        Document().SetModifiedFlag();
    }
    const std::vector<std::string>& RecentFiles() const { return app->GetRecentFileList()->GetEntries(); }

    TempFolder folder;
};

TEST_F(FrameworkDocumentTest, SaveAsAsksForANameWithTheDocumentTypeAndTakesIt)
{
    const std::string path = folder.File("first.rft");
    Edit("hello");
    SaveAs(path);

    ASSERT_EQ(1u, ui.fileRequests.size());
    const FileDialogRequest& request = ui.fileRequests[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ("名前を付けて保存", request.title);
    EXPECT_EQ("テスト ファイル(*.rft)|*.rft|すべてのファイル (*.*)|*.*||", request.filter);
    EXPECT_EQ("rft", request.defaultExtension);
    EXPECT_EQ("無題.rft", request.fileName);
    EXPECT_NE(0u, request.flags & OFN_OVERWRITEPROMPT);

    EXPECT_EQ("hello", storedText(path));
    EXPECT_FALSE(Document().IsModified());
    EXPECT_TRUE(PathName::Same(path, Document().GetPathName()));
    EXPECT_EQ("first.rft", Document().GetTitle());
    EXPECT_EQ(L"first.rft - RavloTest", WindowTitle());
    ASSERT_EQ(1u, RecentFiles().size());
    EXPECT_TRUE(PathName::Same(path, RecentFiles()[0]));
}

TEST_F(FrameworkDocumentTest, YesToTheSaveQuestionSavesUnderTheFileName)
{
    const std::string path = folder.File("book.rft");
    SaveAs(path);
    Edit("changed");
    ui.answers = {IDYES};

    EXPECT_TRUE(Document().SaveModified());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(FileErrorMessage::Substitute(saveQuestion, "book.rft"), ui.messages[0].text);
    EXPECT_EQ("RavloFrameworkTest", ui.messages[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), ui.messages[0].type & MB_TYPEMASK);
    EXPECT_EQ("changed", storedText(path));
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(1u, ui.fileRequests.size());  // only the save-as
}

TEST_F(FrameworkDocumentTest, NoDiscardsCancelKeepsAndAnUnmodifiedDocumentIsNotAsked)
{
    EXPECT_TRUE(Document().SaveModified());
    EXPECT_TRUE(ui.messages.empty());

    Edit("draft");
    ui.answers = {IDNO, IDCANCEL};
    EXPECT_TRUE(Document().SaveModified());
    EXPECT_FALSE(Document().SaveModified());
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ(FileErrorMessage::Substitute(saveQuestion, "無題"), ui.messages[0].text);
    EXPECT_TRUE(Document().IsModified());
    EXPECT_TRUE(ui.fileRequests.empty());
}

TEST_F(FrameworkDocumentTest, YesOnAnUntitledDocumentGoesOnOnlyWhenANameIsChosen)
{
    Edit("draft");
    ui.answers = {IDYES};
    ui.fileChoices = {{}};
    EXPECT_FALSE(Document().SaveModified());
    EXPECT_TRUE(Document().IsModified());

    const std::string path = folder.File("named.rft");
    ui.answers = {IDYES};
    ui.fileChoices = {{path}};
    EXPECT_TRUE(Document().SaveModified());
    EXPECT_EQ("draft", storedText(path));
}

TEST_F(FrameworkDocumentTest, ClosingTheFrameAsksFirstAndCancelKeepsIt)
{
    Edit("draft");
    const HWND frame = Frame().GetHwnd();
    ui.answers = {IDCANCEL};
    SendMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_NE(nullptr, app->GetMainWindow());

    const int deletions = Document().deleteContentsCalls;
    ui.answers = {IDNO};
    Command(ID_APP_EXIT);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(nullptr, app->GetMainWindow());
    EXPECT_EQ(deletions + 1, Document().deleteContentsCalls);
}

TEST_F(FrameworkDocumentTest, OpenReadsTheChosenFileAndPutsItFirstInTheRecentFiles)
{
    const std::string path = folder.File("stored.rft");
    Edit("stored text");
    SaveAs(path);
    Command(ID_FILE_NEW);
    EXPECT_EQ("", Document().text);

    ui.fileChoices = {{path}};
    Command(ID_FILE_OPEN);
    const FileDialogRequest& request = ui.fileRequests.back();
    EXPECT_TRUE(request.open);
    EXPECT_EQ("開く", request.title);
    EXPECT_NE(0u, request.flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ("stored text", Document().text);
    EXPECT_EQ("stored.rft", Document().GetTitle());
    EXPECT_FALSE(Document().IsModified());
    EXPECT_TRUE(PathName::Same(path, RecentFiles().front()));
    EXPECT_EQ(3, Frame().Left()->initialUpdates);
}

TEST_F(FrameworkDocumentTest, AMissingFileIsReportedByItsPathAndLeavesTheDocumentAlone)
{
    Edit("kept");
    const std::string missing = folder.File("missing.rft");
    ui.answers = {IDNO, IDOK};  // the save question before the open, the error

    EXPECT_EQ(nullptr, app->OpenDocumentFile(missing));
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ(FileErrorMessage::Substitute("%1 が見つかりませんでした。", missing), ui.messages[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), ui.messages[1].type & MB_ICONMASK);
    EXPECT_EQ("kept", Document().text);
    EXPECT_TRUE(Document().IsModified());
    EXPECT_NE(nullptr, app->GetMainWindow());
}

TEST_F(FrameworkDocumentTest, AFileThatEndsEarlyIsAnUnexpectedFormatAndLeavesANewDocument)
{
    const std::string path = folder.File("short.rft");
    writeBytes(path, std::string("\x05\x00\x00\x00" "ab", 6));
    Edit("old");
    ui.answers = {IDNO, IDOK};
    const int initialUpdates = Frame().Left()->initialUpdates;

    EXPECT_EQ(nullptr, app->OpenDocumentFile(path));
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ(FileErrorMessage::InvalidFormat, ui.messages[1].text);
    // The old contents were already gone: the views now show a new document.
    EXPECT_EQ("", Document().text);
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ("", Document().GetPathName());
    EXPECT_EQ("無題", Document().GetTitle());
    EXPECT_EQ(initialUpdates + 1, Frame().Left()->initialUpdates);
    EXPECT_TRUE(RecentFiles().empty());
}

TEST_F(FrameworkDocumentTest, AnEmptyFileOpensAsAnEmptyDocument)
{
    const std::string path = folder.File("empty.rft");
    writeBytes(path, "");
    EXPECT_NE(nullptr, app->OpenDocumentFile(path));
    EXPECT_EQ("", Document().text);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FrameworkDocumentTest, AFailedSaveIsReportedAndKeepsBothTheOldFileAndTheModifiedFlag)
{
    const std::string path = folder.File("safe.rft");
    Edit("version one");
    SaveAs(path);
    Edit("version two");
    Document().failSerialize = true;
    ui.answers = {IDOK};

    Command(ID_FILE_SAVE);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(FileErrorMessage::SaveFailed, ui.messages[0].text);
    EXPECT_TRUE(Document().IsModified());
    EXPECT_EQ("version one", storedText(path));
}

TEST_F(FrameworkDocumentTest, ASaveIntoAMissingFolderNamesTheFileNotItsTemporaryTwin)
{
    const std::string path = folder.File("nowhere") + "\\book.rft";
    ui.answers = {IDOK};
    EXPECT_FALSE(Document().DoSave(path));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(FileErrorMessage::Substitute("%1 のパスの全部または一部が正しくありません。", path), ui.messages[0].text);
}

TEST_F(FrameworkDocumentTest, SavingOverAReadOnlyFileAsksForAnotherName)
{
    const std::string path = folder.File("locked.rft");
    const std::string other = folder.File("other.rft");
    SaveAs(path);
    SetFileAttributesW(CodePage::toWide(path).c_str(), FILE_ATTRIBUTE_READONLY);
    Edit("new");
    ui.fileChoices = {{other}};

    Command(ID_FILE_SAVE);
    ASSERT_EQ(2u, ui.fileRequests.size());
    EXPECT_TRUE(PathName::Same(path, ui.fileRequests[1].fileName));
    EXPECT_EQ("new", storedText(other));
    EXPECT_TRUE(PathName::Same(other, Document().GetPathName()));
}

TEST(FrameworkFileErrorMessage, EachCauseHasItsOwnTextNamingTheFile)
{
    const std::string path = "C:\\表\\book.rvl";  // 表 ends in the byte 0x5C
    const FileException::Cause causes[] = {
        FileException::Cause::Generic,          FileException::Cause::FileNotFound, FileException::Cause::BadPath,
        FileException::Cause::AccessDenied,     FileException::Cause::SharingViolation,
        FileException::Cause::DiskFull,         FileException::Cause::EndOfFile};
    std::vector<std::string> texts;
    for (FileException::Cause cause : causes) {
        const std::string text = FileErrorMessage::For(FileException(cause, path), "", FileErrorMessage::OpenFailed);
        EXPECT_EQ(0u, text.find(path)) << text;
        EXPECT_EQ(texts.end(), std::find(texts.begin(), texts.end(), text));
        texts.push_back(text);
    }
    EXPECT_EQ("other.rvl が見つかりませんでした。",
              FileErrorMessage::For(FileException(FileException::Cause::FileNotFound, ""), "other.rvl", ""));

    const auto format = [](ArchiveException::Cause cause) {
        return FileErrorMessage::For(ArchiveException(cause, "x"), "p", FileErrorMessage::OpenFailed);
    };
    EXPECT_EQ(FileErrorMessage::InvalidFormat, format(ArchiveException::Cause::EndOfFile));
    EXPECT_EQ(FileErrorMessage::InvalidFormat, format(ArchiveException::Cause::BadFormat));
    EXPECT_EQ(FileErrorMessage::OpenFailed, format(ArchiveException::Cause::Generic));
    EXPECT_EQ(FileErrorMessage::SaveFailed,
              FileErrorMessage::For(std::runtime_error("x"), "p", FileErrorMessage::SaveFailed));
    EXPECT_EQ(FileErrorMessage::OutOfMemory, FileErrorMessage::For(std::bad_alloc(), "p", FileErrorMessage::OpenFailed));
}

}  // namespace
