#pragma once
// The text of registry.txt, in the style of a registry export: a [HKEY_CURRENT_USER\...]
// section per key, then one line per value: "Name"="text" for a REG_SZ text with its one
// zero byte, "Name"=dword:0000002a, or "Name"=hex(type):41,00 for any other bytes. A
// section may come again further down; its values then replace the earlier ones.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/registry_keys.h"

std::string FormatRegistryFile(const KeyTable& keys);
// The lines that record one change at the end of the file: its key's section and its value.
std::string FormatChange(const KeyChange& change);

// Adds the keys and values of every line that reads to keys, and returns what is wrong with
// each other line, such as "line 3: a value comes before any [key] section". Blank lines,
// CRLF line ends, a leading UTF-8 byte-order mark and comment lines starting with ';' are
// accepted. The values under a [key] line that does not read are skipped with it.
std::vector<std::string> ParseRegistryFile(std::string_view text, KeyTable& keys);
// text without its last line when that has no line end and may be a write cut short: the
// store ends each line it writes, so such a line is taken only when it reads and shows its
// end. A value in hex bytes does not, as a cut after any whole byte leaves it readable.
std::string_view WithoutCutLastLine(std::string_view text);
