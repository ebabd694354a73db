#pragma once
// The text of registry.txt, in the style of a registry export: a [HKEY_CURRENT_USER\...]
// section per key, then one line per value: "Name"="text" for a REG_SZ text with its one
// zero byte, "Name"=dword:0000002a, or "Name"=hex(type):41,00 for any other bytes.

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_keys.h"

std::string FormatRegistryFile(const KeyTable& keys);

// Adds the file's keys and values to keys; on failure returns what is wrong, such as
// "line 3: a value comes before any [key] section". Blank lines, CRLF line ends and
// comment lines starting with ';' are accepted.
std::optional<std::string> ParseRegistryFile(std::string_view text, KeyTable& keys);
