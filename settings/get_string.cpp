#include "settings/get_string.h"

#include <array>
#include <utility>

#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "settings/registry2.h"

namespace GetString {

namespace {

struct Default {
    std::string_view key, name, value;
};

constexpr std::array kDefaults{
    Default{Registry2::kMainKey, "Left", "0"},
    Default{Registry2::kMainKey, "Top", "0"},
    Default{Registry2::kMainKey, "Height", "Full"},
    Default{Registry2::kMainKey, "Size", "Standard"},
    Default{Registry2::kMainKey, "Interval", "10"},
    Default{Registry2::kMainKey, "Timeout", "60"},
    Default{Registry2::kMainKey, "Always On Top", "True"},
    Default{Registry2::kMainKey, "Docked", "False"},
    Default{Registry2::kChartKey, "Symbol", "IBM"},
    Default{Registry2::kChartKey, "Chart Type", "1 Year"},
    Default{Registry2::kChartKey, "Left", "0"},
    Default{Registry2::kChartKey, "Top", "0"},
    Default{Registry2::kChartKey, "Docked", "False"},
    Default{Registry2::kChartKey, "StartUp", "False"},
};

constexpr uint32_t kReadLimit = 255;

enum class Query { Found, Missing, KeyMissing };

std::pair<Query, std::string> ReadValue(Runtime& runtime, HKEY root, std::string_view keyPath,
                                        std::string_view valueName) {
    Registry& registry = runtime.registry();
    HKEY key = 0;
    if (registry.RegOpenKeyExA(root, keyPath, KEY_ALL_ACCESS_LEGACY, key) != ERROR_SUCCESS || !key)
        return {Query::KeyMissing, {}};
    uint8_t buffer[kReadLimit] = {};
    uint32_t length = kReadLimit;
    uint32_t type = 0;
    LONG status = registry.RegQueryValueExA(key, valueName, &type, buffer, length);
    registry.RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {Query::Missing, {}};
    if (length <= 1) return {Query::Found, {}};
    return {Query::Found, std::string(reinterpret_cast<const char*>(buffer), length - 1)};
}

}  // namespace

std::string_view DefaultOf(std::string_view keyPath, std::string_view valueName) {
    for (const Default& entry : kDefaults)
        if (entry.key == keyPath && entry.name == valueName) return entry.value;
    return {};
}

std::string GetStringValue(Runtime& runtime, HKEY root, std::string_view keyPath,
                           std::string_view valueName) {
    auto [query, text] = ReadValue(runtime, root, keyPath, valueName);
    if (query != Query::Missing) return text;
    if (valueName.empty()) {
        runtime.RaiseUnhandled("Your system registry is corrupted. Please reinstall Vesk Ticker.");
        return {};
    }
    std::string_view fallback = DefaultOf(keyPath, valueName);
    if (fallback.empty()) return {};
    Registry2::SetKeyValue(runtime, HKEY_CURRENT_USER, keyPath, valueName, fallback);
    // One default write and one re-read at most: a store that refuses the write gives nothing.
    return ReadValue(runtime, root, keyPath, valueName).second;
}

std::optional<double> StoredNumber(Runtime& runtime, HKEY root, std::string_view keyPath,
                                   std::string_view valueName) {
    auto [query, text] = ReadValue(runtime, root, keyPath, valueName);
    if (query != Query::Found) return std::nullopt;
    return TextToDouble(text);
}

double GetNumberValue(Runtime& runtime, HKEY root, std::string_view keyPath,
                      std::string_view valueName) {
    if (auto stored = TextToDouble(GetStringValue(runtime, root, keyPath, valueName)))
        return *stored;
    return TextToDouble(DefaultOf(keyPath, valueName)).value_or(0);
}

}  // namespace GetString
