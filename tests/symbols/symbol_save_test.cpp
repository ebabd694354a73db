// A save that cannot complete keeps the old list whole; a list cut short at loading is
// never saved.

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

#include "support/symbol_manager_fixture.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

// Files may not grow past a few records while it lives: the disk is "full".
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

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

TEST_F(FailedSaveTest, AWriteThatFailsMidwayLeavesTheOldFileByteForByte) {
    OpenWithLongerList();
    desktop.answers = {MsgBox::vbYes, MsgBox::vbOK};
    {
        FileSizeLimit full(20 * 50);
        editor().cmdOK_Click();
    }
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[1].title, "File Error");
    EXPECT_EQ(desktop.boxes[1].text, "The disk is full.");
    ExpectOldListKept();
    // Once there is room again the same rows save.
    editor().SaveMenuItem_Click();
    EXPECT_EQ(FileRows().size(), 43u);
}

TEST_F(FailedSaveTest, AnErrorTheFileErrorBoxDoesNotListGetsAMessageOfItsOwn) {
    OpenWithLongerList();
    ASSERT_TRUE(QDir(programFolder.path()).mkdir("stockdata.new"));
    editor().SaveMenuItem_Click();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_NE(desktop.boxes[0].text.find("could not save the symbol list"), std::string::npos);
    EXPECT_NE(desktop.boxes[0].text.find("(error 75)"), std::string::npos);
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
