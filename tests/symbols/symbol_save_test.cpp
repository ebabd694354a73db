// A save that cannot complete keeps the old list whole; a list cut short at loading is
// never saved.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>

#include "support/symbol_manager_fixture.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

// Runs step with this process's files unable to grow past bytes, as under `ulimit -f`.
template <class Step>
void UnderFileSizeLimit(rlim_t bytes, Step step) {
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit limited = before;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    step();
    setrlimit(RLIMIT_FSIZE, &before);
}

// A limit on file sizes holds for the whole process, so a case that sets one runs again in
// a fresh copy of this test program (a forked copy of a Qt process may not run Qt), which
// finds the limit in this variable.
constexpr char kFileSizeLimitVariable[] = "VESK_TEST_FILE_SIZE_LIMIT";

// Runs the current test in a fresh copy of this program; its output shows when it failed.
void RunInFreshProcessUnderFileSizeLimit(rlim_t bytes) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kFileSizeLimitVariable, QString::number(bytes));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    ASSERT_TRUE(child.waitForFinished(60000)) << "the fresh test program did not end";
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << "the save was killed";
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}

class FailedSaveTest : public SymbolManagerTest {
protected:
    void OpenWithLongerList() {
        WriteRows(NumberedRows(3));
        oldBytes = ReadProgramFile("stockdata.std");
        ShowTicker();
        editor().Show();
        for (int i = 0; i < 40; ++i) editor().DJIAMenuItem_Click();
        requestsBefore = server.requestLines().size();
    }
    void ExpectOldListKept() {
        EXPECT_EQ(ReadProgramFile("stockdata.std"), oldBytes);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(ProgramFile("stockdata.new"))));
        EXPECT_TRUE(editor().Loaded());
        EXPECT_EQ(ListRows().size(), 43u);
        // The ticker was not restarted, and its cursor still reads the old list.
        EXPECT_EQ(server.requestLines().size(), requestsBefore);
        GetSymbol& cursor = program().getSymbol;
        ASSERT_NE(cursor.StockFileNum, 0);
        cursor.StockRecNo = 3;
        cursor.ReadStockRecord();
        EXPECT_EQ(cursor.QuoteSymbol, "S3");
    }
    std::string oldBytes;
    size_t requestsBefore = 0;
};

TEST_F(FailedSaveTest, AWriteBeyondTheFileSizeLimitTakesTheDiskFullPathAndKeepsTheOldFile) {
    const QByteArray limit = qgetenv(kFileSizeLimitVariable);
    if (limit.isEmpty()) return RunInFreshProcessUnderFileSizeLimit(20 * 50);
    OpenWithLongerList();
    desktop.answers = {MsgBox::vbYes, MsgBox::vbOK};
    UnderFileSizeLimit(limit.toULongLong(), [&] { editor().cmdOK_Click(); });
    ExpectOldListKept();
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].title + ": " + desktop.boxes[0].text, "Vesk Ticker: Save changes?");
    EXPECT_EQ(desktop.boxes[1].title + ": " + desktop.boxes[1].text, "File Error: The disk is full.");
    // Without the limit the same rows save.
    editor().SaveMenuItem_Click();
    EXPECT_EQ(FileRows().size(), 43u);
}

TEST_F(FailedSaveTest, AReadOnlyListIsKeptWithItsModeWhoeverSaves) {
    OpenWithLongerList();
    namespace fs = std::filesystem;
    const fs::path list = ProgramFile("stockdata.std");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(list, readOnly);
    editor().SaveMenuItem_Click();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "File Error");
    EXPECT_EQ(desktop.boxes[0].text, "Path/File access error");
    EXPECT_EQ(desktop.boxes[0].style, MsgBox::vbOKOnly + MsgBox::vbExclamation);
    EXPECT_EQ(fs::status(list).permissions(), readOnly);
    ExpectOldListKept();
}

TEST_F(FailedSaveTest, AnErrorTheFileErrorBoxDoesNotListGetsAMessageOfItsOwnInWords) {
    OpenWithLongerList();
    ASSERT_TRUE(QDir(programFolder.path()).mkdir("stockdata.new"));
    editor().SaveMenuItem_Click();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Vesk Ticker could not save the symbol list to " + ProgramFile("stockdata.std") +
                                         ": " + std::strerror(EISDIR) + " (error 75). The file keeps the list it had.");
    EXPECT_EQ(ReadProgramFile("stockdata.std"), oldBytes);
    EXPECT_TRUE(editor().Loaded());
    EXPECT_EQ(server.requestLines().size(), requestsBefore);
    QDir(programFolder.path()).rmdir("stockdata.new");
}

TEST_F(SymbolManagerTest, AFileOfMoreRowsThanTheListCountsLoadsTheFirstAndIsNeverSaved) {
    Rows rows = NumberedRows(SymbolEditor::kMaxRows + 3);
    WriteRows(rows);
    std::string before = ReadProgramFile("stockdata.std");
    SymbolEditor& window = OpenEditor();
    ASSERT_EQ(window.ListView1.ListItems.Count(), SymbolEditor::kMaxRows);
    EXPECT_EQ(window.ListView1.ListItems.item(SymbolEditor::kMaxRows).Text(), "S32767");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_NE(desktop.boxes[0].text.find("holds 32770 symbols"), std::string::npos);
    EXPECT_NE(desktop.boxes[0].text.find("only the first 32,767"), std::string::npos);

    desktop.answers = {MsgBox::vbYes};
    window.cmdOK_Click();
    window.SaveMenuItem_Click();
    ASSERT_EQ(desktop.boxes.size(), 4u);
    EXPECT_NE(desktop.boxes[2].text.find("would lose the others"), std::string::npos);
    EXPECT_EQ(desktop.boxes[3].text, desktop.boxes[2].text);
    EXPECT_TRUE(window.Loaded());
    EXPECT_EQ(ReadProgramFile("stockdata.std"), before);
    // A full list takes no further row.
    window.DJIAMenuItem_Click();
    EXPECT_EQ(window.ListView1.ListItems.Count(), SymbolEditor::kMaxRows);
    EXPECT_EQ(desktop.boxes.back().text, "The symbol list is full: it holds at most 32,767 symbols.");
}

}  // namespace
