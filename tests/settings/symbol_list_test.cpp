#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "settings/get_symbol.h"
#include "settings/stock_record.h"
#include "settings/textdatabase.h"
#include "support/program_fixture.h"

namespace {

class SymbolListTest : public ProgramTest {
protected:
    GetSymbol& Cursor() {
        runtime().files().ChDir(programFolder.path().toStdString());
        return program().getSymbol;
    }
};

TEST(StockRecordTest, FieldsArePaddedCutAndTrimmedBySpacesOnly) {
    StockRecord dow = StockRecord::From("DJIA", "Dow Jones Industrials Average");
    EXPECT_EQ(std::string(dow.bytes.data(), 50),
              "DJIA      Dow Jones Industrials Average           ");
    StockRecord longOne = StockRecord::From("ABCDEFGHIJKL", std::string(45, 'n'));
    EXPECT_EQ(longOne.TickerSymbol(), "ABCDEFGHIJ");
    EXPECT_EQ(longOne.SymbolName(), std::string(40, 'n'));
    StockRecord spaced;
    std::string raw = "  IBM     " + std::string(40, ' ');
    std::copy(raw.begin(), raw.end(), spaced.bytes.begin());
    EXPECT_EQ(spaced.TickerSymbol(), "IBM");
    EXPECT_EQ(spaced.SymbolName(), "");
}

TEST(StockRecordTest, TextOutsideAsciiTakesTheSingleByteForm) {
    StockRecord record = StockRecord::From("CAF\xC3\x89", "Soci\xC3\xA9t\xC3\xA9");  // "CAFÉ"
    EXPECT_EQ(record.bytes[3], '\xC9');
    EXPECT_EQ(record.TickerSymbol(), "CAF\xC3\x89");
    EXPECT_EQ(record.SymbolName(), "Soci\xC3\xA9t\xC3\xA9");
}

TEST_F(SymbolListTest, RecordCountIgnoresATrailingPartialRecord) {
    Start();
    for (auto [bytes, count] : {std::pair{100, 2}, {149, 2}, {0, 0}, {49, 0}, {50, 1}}) {
        WriteProgramFile("stockdata.std", std::string(size_t(bytes), 'A'));
        GetSymbol& cursor = Cursor();
        cursor.OpenStockData();
        EXPECT_EQ(cursor.StockRecCount, count) << bytes << " bytes";
    }
}

TEST_F(SymbolListTest, TheCursorCyclesAndWraps) {
    WriteSymbols({{"IBM", "International Business Machines"}, {"MSFT", "Microsoft"}, {"DJIA", ""}});
    Start();
    GetSymbol& cursor = Cursor();
    cursor.OpenStockData();
    std::vector<std::string> seen{cursor.QuoteSymbol};
    for (int step = 0; step < 4; ++step) {
        cursor.NextStockRecord();
        seen.push_back(cursor.QuoteSymbol);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"IBM", "MSFT", "DJIA", "IBM", "MSFT"}));
    EXPECT_EQ(cursor.QuoteSymbolName, "Microsoft");
}

TEST_F(SymbolListTest, OneRecordStaysAndAnEmptyListStaysEmpty) {
    WriteSymbols({{"IBM", "International Business Machines"}});
    Start();
    GetSymbol& cursor = Cursor();
    cursor.OpenStockData();
    cursor.NextStockRecord();
    EXPECT_EQ(cursor.StockRecNo, 1);
    EXPECT_EQ(cursor.QuoteSymbol, "IBM");

    WriteProgramFile("stockdata.std", "");
    cursor.OpenStockData();
    cursor.NextStockRecord();
    EXPECT_EQ(cursor.StockRecCount, 0);
    EXPECT_EQ(cursor.StockRecNo, 1);
    EXPECT_EQ(cursor.QuoteSymbol, "");
}

TEST_F(SymbolListTest, AMissingFileIsCreatedEmpty) {
    Start();
    Cursor().OpenStockData();
    EXPECT_NE(program().getSymbol.StockFileNum, 0);
    EXPECT_TRUE(runtime().files().Exists("stockdata.std"));
    EXPECT_EQ(runtime().files().FileLen("stockdata.std"), 0);
}

TEST_F(SymbolListTest, AReopenReleasesTheEarlierFileNumber) {
    Start();
    GetSymbol& cursor = Cursor();
    cursor.OpenStockData();
    int16_t first = cursor.StockFileNum;
    cursor.OpenStockData();
    EXPECT_EQ(cursor.StockFileNum, first);
}

TEST_F(SymbolListTest, IllegalNamesAreRefusedWithTheirBox) {
    Start();
    for (std::string name : {"stock data.std", "stock]data", "a;b", "a<b", "a?b", "a*b", "a[b"}) {
        desktop.boxes.clear();
        EXPECT_EQ(Textdatabase::OpenDataFile(runtime(), name, OpenMode::Random, 50).fileNumber, 0) << name;
        ASSERT_EQ(desktop.boxes.size(), 1u) << name;
        EXPECT_EQ(desktop.boxes[0].text, "That filename is illegal.");
        EXPECT_EQ(desktop.boxes[0].title, "File Error");
        EXPECT_EQ(desktop.boxes[0].style, MsgBox::vbExclamation);
    }
}

TEST_F(SymbolListTest, FileErrorBoxesAndTheirActions) {
    Start();
    struct Case {
        FileError error;
        std::string text;
        int answer, style;
        int16_t action;
    };
    const std::string endOfFile =
        "This file has a nonstandard end-of-file marker,or an attempt was made to read beyond "
        "the end-of-file marker.";
    const Case cases[] = {
        {52, "That filename is illegal.", MsgBox::vbOK, 48, Textdatabase::kGiveUp},
        {54, "Can't open your file for that type of access.", MsgBox::vbOK, 48, 2},
        {55, "That file is already open.", MsgBox::vbOK, 48, 2},
        {57, "The disk is full.", MsgBox::vbOK, 48, 2},
        {62, endOfFile, MsgBox::vbOK, 48, 2},
        {68, "That device appears to be unavailable.", MsgBox::vbRetry, 53, Textdatabase::kRetry},
        {68, "That device appears to be unavailable.", MsgBox::vbCancel, 53, 2},
        {71, "The disk is not ready.", MsgBox::vbOK, 48, 2},
        {76, "That path doesn't exist.", MsgBox::vbOK, 48, 2},
    };
    for (const Case& c : cases) {
        desktop.boxes.clear();
        desktop.answers = {c.answer};
        EXPECT_EQ(Textdatabase::FileErrorAction(runtime(), c.error), c.action) << c.error;
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, c.text);
        EXPECT_EQ(desktop.boxes[0].style, c.style);
    }
    desktop.boxes.clear();
    EXPECT_EQ(Textdatabase::FileErrorAction(runtime(), 75), Textdatabase::kNotListed);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SymbolListTest, AMissingFolderIsRetriedOnceThenLeavesTheListEmpty) {
    Start();
    runtime().files().ChDir(programFolder.path().toStdString());
    QDir(programFolder.path()).rmdir(".");
    std::filesystem::remove_all(programFolder.path().toStdString());
    GetSymbol& cursor = program().getSymbol;
    cursor.OpenStockData();
    EXPECT_EQ(cursor.StockFileNum, 0);
    EXPECT_EQ(cursor.StockRecCount, 0);
    EXPECT_EQ(cursor.QuoteSymbol, "");
    ASSERT_EQ(desktop.boxes.size(), 3u);  // one box per attempt, then which folder is missing
    EXPECT_EQ(desktop.boxes[0].text, "That path doesn't exist.");
    EXPECT_EQ(desktop.boxes[1].text, "That path doesn't exist.");
    EXPECT_EQ(desktop.boxes[2].text, "Vesk Ticker could not open " + ProgramFile("stockdata.std") +
                                         ": the folder " + programFolder.path().toStdString() +
                                         " does not exist (error 76). The symbol list stays empty "
                                         "until the file can be opened.");
    cursor.NextStockRecord();
    cursor.ReadStockRecord();
    EXPECT_EQ(cursor.QuoteSymbol, "");
}

TEST_F(SymbolListTest, AnOpenThatFailsWithAnUnlistedErrorSaysTheCauseInWords) {
    Start();
    ASSERT_TRUE(QDir(programFolder.path()).mkdir("stockdata.std"));
    GetSymbol& cursor = Cursor();
    cursor.OpenStockData();
    EXPECT_EQ(cursor.StockFileNum, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Vesk Ticker could not open " + ProgramFile("stockdata.std") +
                                         ": " + std::strerror(EISDIR) +
                                         " (error 75). The symbol list stays empty until the "
                                         "file can be opened.");
}

}  // namespace
