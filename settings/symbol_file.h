#pragma once
// What both readers of stockdata.std share: opening it for record access, counting its
// records and reading one, each reader on variables of its own.

#include <cstdint>
#include <string>

#include "settings/stock_record.h"

class Runtime;

namespace SymbolFile {

inline constexpr const char* kName = "stockdata.std";

// Opens the file by its bare name in the current folder (creating it empty when missing),
// releasing the reader's earlier file number first. A failed open is tried once more;
// after that the reader stays empty (0) and a failure that had no box of its own, or a
// missing folder, is told to the user in one message that says the cause in words.
int16_t Open(Runtime& runtime, int16_t previousFileNumber);

// A reader's variables, which each reader keeps under names of its own.
struct Reader {
    int16_t& fileNum;
    int32_t& recNo;
    int32_t& recCount;
    StockRecord& recBuf;
    std::string& symbol;
    std::string& symbolName;
};
// Opens the file for the reader and puts it on record 1.
void OpenStockData(Runtime& runtime, const Reader& reader);
// Counts the whole records (bytes after the last one are ignored) and reads record 1;
// an empty list leaves the symbol and its name empty.
void FirstStockRecord(Runtime& runtime, const Reader& reader);
// Reads record recNo into recBuf and its trimmed fields; nothing while no file is open.
void ReadStockRecord(Runtime& runtime, const Reader& reader);

}  // namespace SymbolFile
