#include "symbols/symbol_list_file.h"

#include "platform/runtime.h"
#include "settings/symbol_file.h"
#include "settings/textdatabase.h"

namespace SymbolListFile {

namespace {

constexpr FileError kFileNotFound = 53;

void TellUnlisted(Runtime& runtime, FileError error) {
    runtime.MsgBox("Vesk Ticker could not save the symbol list to " +
                       runtime.files().Resolve(SymbolFile::kName) + ": " +
                       Textdatabase::DescribeFailure(runtime, error) + ". The file keeps the list it had.",
                   MsgBox::vbExclamation);
}

// Tells the user of a failed step; true when the answer asks to run it again.
bool TellFailure(Runtime& runtime, FileError error) {
    int16_t action = Textdatabase::FileErrorAction(runtime, error);
    if (action == Textdatabase::kNotListed) TellUnlisted(runtime, error);
    return action == Textdatabase::kRetry;
}

// Runs a file step until it succeeds or the user gives up on it; its last error.
template <class Step>
FileError Run(Runtime& runtime, Step step) {
    for (;;) {
        FileError error = step();
        if (error == kNoError || !TellFailure(runtime, error)) return error;
    }
}

}  // namespace

bool Replace(Runtime& runtime, const std::vector<StockRecord>& records) {
    FileTable& files = runtime.files();
    // Read-only is the user's word that the list stays as it is, also for a user that
    // could write it anyway.
    if (files.IsReadOnly(SymbolFile::kName)) {
        Textdatabase::ReadOnlyFileBox(runtime);
        return false;
    }
    // A leftover of an earlier failed save would keep its records past the new end.
    FileError error = Run(runtime, [&] {
        FileError killed = files.Kill(kNewName);
        return killed == kFileNotFound ? kNoError : killed;
    });
    if (error != kNoError) return false;

    Textdatabase::Opened opened =
        Textdatabase::OpenDataFile(runtime, kNewName, OpenMode::Random, StockRecord::kLength);
    if (opened.fileNumber == 0) {
        if (Textdatabase::FileErrorText(opened.lastError).empty()) TellUnlisted(runtime, opened.lastError);
        return false;
    }
    for (size_t i = 0; i < records.size() && error == kNoError; ++i) {
        error = Run(runtime, [&] { return files.Put(opened.fileNumber, int32_t(i + 1), records[i].bytes); });
    }
    FileError closed = files.Close(opened.fileNumber);
    if (error == kNoError && closed != kNoError) {
        error = closed;
        TellFailure(runtime, closed);
    }
    if (error == kNoError)
        error = Run(runtime, [&] { return files.ReplaceFile(kNewName, SymbolFile::kName); });
    if (error != kNoError) files.Kill(kNewName);
    return error == kNoError;
}

}  // namespace SymbolListFile
