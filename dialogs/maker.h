#pragma once
// Who makes the program and how to reach them, as the information windows show it. The
// hosts of the maker's web site and version file come from vesk-ticker.conf instead.

namespace Maker {
inline constexpr const char* kNameLine = "Vesk Ticker for Linux";
inline constexpr const char* kNotice = "Copyright (C) 2001 Vesk Software. All rights reserved.";
inline constexpr const char* kContactName = "Vesk Ticker Support";
inline constexpr const char* kEmailAddress = "support@vesk-ticker.example";
inline constexpr const char* kQuoteServiceName = "Vesk Quote Service";
}  // namespace Maker
