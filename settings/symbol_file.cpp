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
        opened = Textdatabase::OpenDataFile(runtime, kName, 4, StockRecord::kLength, true);
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

int32_t CountRecords(Runtime& runtime, int16_t fileNumber) {
    int64_t length = runtime.files().LOF(fileNumber);
    return length <= 0 ? 0 : int32_t(length / int64_t(StockRecord::kLength));
}

StockRecord Read(Runtime& runtime, int16_t fileNumber, int32_t recordNumber) {
    StockRecord record;
    runtime.files().Get(fileNumber, recordNumber, record.bytes);
    return record;
}

}  // namespace SymbolFile
