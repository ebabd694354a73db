#pragma once
// What both readers of stockdata.std share: opening it for record access, counting its
// records and reading one.

#include <cstdint>

#include "settings/stock_record.h"

class Runtime;

namespace SymbolFile {

inline constexpr const char* kName = "stockdata.std";

// Opens the file by its bare name in the current folder (creating it empty when missing),
// releasing the reader's earlier file number first. A failed open is tried once more;
// after that the reader stays empty (0) and a failure that had no box of its own, or a
// missing folder, is told to the user in one message that says the cause in words.
int16_t Open(Runtime& runtime, int16_t previousFileNumber);
// Whole 50-byte records in the open file; bytes after the last one are ignored.
int32_t CountRecords(Runtime& runtime, int16_t fileNumber);
StockRecord Read(Runtime& runtime, int16_t fileNumber, int32_t recordNumber);

}  // namespace SymbolFile
