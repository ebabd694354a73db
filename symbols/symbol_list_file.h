#pragma once
// Writing the symbol list: the new list goes beside stockdata.std and takes its place in
// one rename, so the old list stays whole until the new one is complete.

#include <vector>

#include "settings/stock_record.h"

class Runtime;

namespace SymbolListFile {

inline constexpr const char* kNewName = "stockdata.new";

// Replaces stockdata.std in the current folder by the records, in order. A failure is told
// to the user (the "File Error" box, or a message of its own for an error the box does not
// list), leaves stockdata.std as it was and gives false; so does a read-only stockdata.std.
bool Replace(Runtime& runtime, const std::vector<StockRecord>& records);

}  // namespace SymbolListFile
