#include "settings/symbol_file.h"

#include "platform/runtime.h"
#include "settings/textdatabase.h"

namespace SymbolFile {

namespace {
constexpr int kAttempts = 2;
constexpr FileError kPathNotFound = 76;
}

int16_t Open(Runtime& runtime, int16_t previousFileNumber) {
    if (previousFileNumber != 0) runtime.files().Close(previousFileNumber);
    Textdatabase::Opened opened;
    for (int attempt = 0; attempt < kAttempts && opened.fileNumber == 0; ++attempt)
        opened = Textdatabase::OpenDataFile(runtime, kName, OpenMode::Random, StockRecord::kLength);
    // The box of a missing folder does not say which folder; this message does.
    const bool boxSaidAll = !Textdatabase::FileErrorText(opened.lastError).empty() &&
                            opened.lastError != kPathNotFound;
    if (opened.fileNumber == 0 && !boxSaidAll) {
        runtime.MsgBox("Vesk Ticker could not open " + runtime.files().Resolve(kName) + ": " +
                           Textdatabase::DescribeFailure(runtime, opened.lastError) +
                           ". The symbol list stays empty until the file can be opened.",
                       MsgBox::vbExclamation);
    }
    return opened.fileNumber;
}

void OpenStockData(Runtime& runtime, const Reader& reader) {
    reader.fileNum = Open(runtime, reader.fileNum);
    FirstStockRecord(runtime, reader);
}

void FirstStockRecord(Runtime& runtime, const Reader& reader) {
    reader.recNo = 1;
    const int64_t length = reader.fileNum ? runtime.files().LOF(reader.fileNum) : 0;
    reader.recCount = length <= 0 ? 0 : int32_t(length / int64_t(StockRecord::kLength));
    if (reader.recCount >= 1) {
        ReadStockRecord(runtime, reader);
    } else {
        reader.symbol.clear();
        reader.symbolName.clear();
    }
}

void ReadStockRecord(Runtime& runtime, const Reader& reader) {
    if (reader.fileNum == 0) return;
    reader.recBuf = StockRecord{};
    runtime.files().Get(reader.fileNum, reader.recNo, reader.recBuf.bytes);
    reader.symbol = reader.recBuf.TickerSymbol();
    reader.symbolName = reader.recBuf.SymbolName();
}

}  // namespace SymbolFile
