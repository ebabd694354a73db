// A save that cannot complete keeps the old list whole; a list cut short at loading is
// never saved.

#include <QDir>
#include <QFile>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/symbol_manager_fixture.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

// Runs step in a child process whose files may not grow past bytes, as under `ulimit -f`,
// and gives what the child's message boxes said, one "title: text" line each. A child that
// a signal killed fails the test.
template <class Step>
std::string UnderFileSizeLimit(rlim_t bytes, ScriptedDesktop& desktop, Step step) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        step();
        std::string said;
        for (const auto& box : desktop.boxes) said += box.title + ": " + box.text + "\n";
        [[maybe_unused]] ssize_t written = ::write(pipeFds[1], said.data(), said.size());
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    ::close(pipeFds[1]);
    std::string said;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, size_t(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "the save was killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a check in the child failed";
    return said;
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
    OpenWithLongerList();
    desktop.answers = {MsgBox::vbYes, MsgBox::vbOK};
    const std::string said = UnderFileSizeLimit(20 * 50, desktop, [&] {
        editor().cmdOK_Click();
        ExpectOldListKept();
    });
    EXPECT_EQ(said, "Vesk Ticker: Save changes?\nFile Error: The disk is full.\n");
    EXPECT_EQ(ReadProgramFile("stockdata.std"), oldBytes);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ProgramFile("stockdata.new"))));
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
                                         ": Is a directory (error 75). The file keeps the list it had.");
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
