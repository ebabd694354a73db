#include "platform/core/registry.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr std::string_view kMainKey = "Software\\Vesk Ticker";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The C string plus its zero, the way the settings modules store text.
std::vector<uint8_t> Text(std::string_view text) {
    auto bytes = Bytes(text);
    bytes.push_back(0);
    return bytes;
}

struct Stored {
    LONG status = -1;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

Stored Query(Registry& registry, HKEY key, std::string_view name) {
    Stored stored;
    uint32_t length = 0;
    stored.status = registry.RegQueryValueExA(key, name, &stored.type, nullptr, length);
    if (stored.status != ERROR_SUCCESS) return stored;
    stored.data.resize(length);
    stored.status = registry.RegQueryValueExA(key, name, &stored.type, stored.data.data(), length);
    return stored;
}

LONG Set(Registry& registry, HKEY key, std::string_view name, uint32_t type,
         const std::vector<uint8_t>& data) {
    return registry.RegSetValueExA(key, name, type, data.data(), static_cast<uint32_t>(data.size()));
}

HKEY Create(Registry& registry, std::string_view path, HKEY root = HKEY_CURRENT_USER) {
    HKEY key = 0;
    EXPECT_EQ(registry.RegCreateKeyExA(root, path, 0, KEY_ALL_ACCESS_LEGACY, key), ERROR_SUCCESS);
    return key;
}

LONG Open(Registry& registry, std::string_view path, HKEY& key) {
    return registry.RegOpenKeyExA(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS_LEGACY, key);
}

class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir temp_;
    fs::path folder_ = fs::path(temp_.path().toStdString()) / "vesk-ticker";
    fs::path file_ = folder_ / "registry.txt";

    std::vector<std::string> told_;  // by StoreLeft's store

    // Stores "Left" under the main key, then gathers what registry tells in told_.
    HKEY StoreLeft(Registry& registry) {
        const HKEY key = Create(registry, kMainKey);
        EXPECT_EQ(Set(registry, key, "Left", REG_SZ, Text("1440")), ERROR_SUCCESS);
        registry.ReportProblemsTo([this](const std::string& problem) { told_.push_back(problem); });
        return key;
    }

    std::vector<fs::path> BrokenFiles() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path().filename().string().starts_with("registry.txt.broken-")) found.push_back(entry.path());
        return found;
    }
};

struct ValueCase {
    const char* name;
    uint32_t type;
    std::vector<uint8_t> data;
};

TEST_F(RegistryTest, ValuesKeepTypeBytesAndLengthAcrossANewRegistry) {
    const std::vector<ValueCase> cases = {
        {"Left", REG_SZ, Text("1440")},
        {"Empty", REG_SZ, Text("")},
        {"Escapes \\ \"", REG_SZ, Text("C:\\a \"b\" ; [c]")},
        {"Zürich", REG_SZ, Text("Zürich")},
        {"No zero", REG_SZ, Bytes("Full")},
        {"Inner zero", REG_SZ, Bytes(std::string_view("a\0b\0", 4))},
        {"Tab", REG_SZ, Text("a\tb")},
        {"Nothing", REG_SZ, {}},
        {"Count", REG_DWORD, {0x2a, 0, 0, 0x80}},
        {"Short dword", REG_DWORD, {1, 2}},
        {"Binary", 3, {0x00, 0xff, 0x41}},
        {"Big type", 0x12345678, {7}},
        {"", REG_SZ, Text("default value")},
    };
    {
        Registry registry(folder_.string());
        const HKEY key = Create(registry, kMainKey);
        for (const auto& value : cases) ASSERT_EQ(Set(registry, key, value.name, value.type, value.data), ERROR_SUCCESS);
    }  // the destructor writes what is pending
    Registry reopened(folder_.string());
    ASSERT_FALSE(reopened.LoadProblem()) << *reopened.LoadProblem();
    HKEY key = 0;
    ASSERT_EQ(Open(reopened, kMainKey, key), ERROR_SUCCESS);
    for (const auto& value : cases) {
        SCOPED_TRACE(value.name);
        const Stored stored = Query(reopened, key, value.name);
        EXPECT_EQ(stored.status, ERROR_SUCCESS);
        EXPECT_EQ(stored.type, value.type);
        EXPECT_EQ(stored.data, value.data);
    }
}

TEST_F(RegistryTest, FileReadsLikeARegistryExport) {
    Registry registry(folder_.string());
    const HKEY key = Create(registry, kMainKey);
    Set(registry, key, "Left", REG_SZ, Text("1440"));
    Set(registry, key, "Say \"hi\"", REG_SZ, Text("C:\\Temp"));
    Set(registry, key, "Count", REG_DWORD, {0x2a, 0, 0, 0});
    Set(registry, key, "Full", REG_SZ, Bytes("Full"));
    Set(registry, key, "Raw", 3, {0x41, 0x00, 0xff});
    Set(registry, Create(registry, "Charts", key), "Symbol", REG_SZ, Text("IBM"));
    registry.Flush();

    const std::string text = ReadFile(registry.StorePath());
    EXPECT_EQ(registry.StorePath(), file_.string());
    for (const char* line : {"\n[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n", "\n\"Left\"=\"1440\"\n",
                             "\n\"Say \\\"hi\\\"\"=\"C:\\\\Temp\"\n", "\n\"Count\"=dword:0000002a\n",
                             "\n\"Full\"=hex(1):46,75,6c,6c\n", "\n\"Raw\"=hex(3):41,00,ff\n",
                             "\n[HKEY_CURRENT_USER\\Software\\Vesk Ticker\\Charts]\n\"Symbol\"=\"IBM\"\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin:\n" << text;
}

TEST_F(RegistryTest, HandEditedFileWithCommentsBlanksAndCrlfIsRead) {
    fs::create_directories(folder_);
    WriteFile(file_,
              "; my settings\r\n"
              "\r\n"
              "  [HKEY_CURRENT_USER\\Software\\Vesk Ticker]  \r\n"
              "\"Left\"=\"1440\"\r\n"
              "\t\"Count\"=dword:0000002A\r\n"
              "@=\"root text\"\r\n"
              "\"Left\"=\"2880\"\r\n"  // a repeated name: the last one counts
              "[HKEY_CURRENT_USER\\Software\\Vesk Ticker\\Charts]\n"
              "\"Raw\"=hex(3):\n"
              "[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n"  // a section again: its values count
              "\"Count\"=dword:00000007\n"
              "[HKEY_CURRENT_USER\\Software\\Vesk Ticker\\Charts]\n"
              "\"Top\"=\"0\"");  // no line end after the last line
    Registry registry(folder_.string());
    ASSERT_FALSE(registry.LoadProblem()) << *registry.LoadProblem();
    HKEY main = 0;
    HKEY charts = 0;
    ASSERT_EQ(Open(registry, kMainKey, main), ERROR_SUCCESS);
    ASSERT_EQ(Open(registry, "Software\\Vesk Ticker\\Charts", charts), ERROR_SUCCESS);
    EXPECT_EQ(Query(registry, main, "Left").data, Text("2880"));
    EXPECT_EQ(Query(registry, main, "Count").data, (std::vector<uint8_t>{7, 0, 0, 0}));
    EXPECT_EQ(Query(registry, main, "").data, Text("root text"));
    EXPECT_EQ(Query(registry, charts, "Raw").type, 3u);
    EXPECT_EQ(Query(registry, charts, "Top").data, Text("0"));
}

TEST_F(RegistryTest, NamesMatchWithoutCaseAndKeepTheirFirstCase) {
    Registry registry(folder_.string());
    const HKEY key = Create(registry, kMainKey);
    Set(registry, key, "Always On Top", REG_SZ, Text("True"));
    Set(registry, key, "ALWAYS ON TOP", REG_SZ, Text("False"));
    EXPECT_EQ(Query(registry, key, "always on top").data, Text("False"));

    HKEY charts = Create(registry, "Software\\Vesk Ticker\\Charts");
    HKEY same = 0;
    EXPECT_EQ(Open(registry, "SOFTWARE\\VESK TICKER\\CHARTS", same), ERROR_SUCCESS);
    Set(registry, same, "Symbol", REG_SZ, Text("IBM"));
    EXPECT_EQ(Query(registry, charts, "SYMBOL").data, Text("IBM"));
    registry.Flush();

    const std::string text = ReadFile(file_);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vesk Ticker\\Charts]\n\"Symbol\"=\"IBM\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"Always On Top\"=\"False\""), std::string::npos) << text;
    EXPECT_EQ(text.find("ALWAYS"), std::string::npos) << text;
    EXPECT_EQ(text.find("CHARTS"), std::string::npos) << text;
}

TEST_F(RegistryTest, KeysAndHandlesFollowTheClassicRules) {
    Registry registry(folder_.string());
    HKEY key = 123;
    EXPECT_EQ(Open(registry, kMainKey, key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0);

    const HKEY deep = Create(registry, "A\\B\\C");
    for (const char* level : {"A", "A\\B", "a\\b\\c"}) EXPECT_EQ(Open(registry, level, key), ERROR_SUCCESS) << level;
    const HKEY relative = Create(registry, "D", deep);
    EXPECT_EQ(Open(registry, "A\\B\\C\\D", key), ERROR_SUCCESS);
    EXPECT_NE(relative, deep);

    key = 123;
    EXPECT_EQ(registry.RegCreateKeyExA(HKEY_CURRENT_USER, "A\\\\B", 0, KEY_ALL_ACCESS_LEGACY, key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(registry.RegCreateKeyExA(0x4711, "A", 0, KEY_ALL_ACCESS_LEGACY, key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry.RegOpenKeyExA(0x4711, "A", KEY_ALL_ACCESS_LEGACY, key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Query(registry, 0x4711, "Left").status, ERROR_INVALID_HANDLE);
    EXPECT_EQ(Set(registry, 0x4711, "Left", REG_SZ, Text("1")), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Query(registry, deep, "Missing").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Set(registry, deep, "Line\nbreak", REG_SZ, Text("1")), ERROR_INVALID_PARAMETER);

    EXPECT_EQ(registry.RegCloseKey(deep), ERROR_SUCCESS);
    EXPECT_EQ(registry.RegCloseKey(deep), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Query(registry, deep, "Missing").status, ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry.RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(Set(registry, HKEY_CURRENT_USER, "At root", REG_SZ, Text("1")), ERROR_SUCCESS);
    EXPECT_EQ(Query(registry, HKEY_CURRENT_USER, "AT ROOT").data, Text("1"));
}

TEST_F(RegistryTest, TooSmallBufferGivesMoreDataAndTheNeededLength) {
    Registry registry(folder_.string());
    const HKEY key = Create(registry, kMainKey);
    Set(registry, key, "Left", REG_SZ, Text("1440"));

    uint8_t buffer[4] = {9, 9, 9, 9};
    uint32_t type = 0;
    uint32_t length = sizeof buffer;
    EXPECT_EQ(registry.RegQueryValueExA(key, "Left", &type, buffer, length), ERROR_MORE_DATA);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), (std::vector<uint8_t>{9, 9, 9, 9}));

    length = 0;
    EXPECT_EQ(registry.RegQueryValueExA(key, "Left", nullptr, nullptr, length), ERROR_SUCCESS);
    EXPECT_EQ(length, 5u);
}

constexpr std::string_view kMainSection = "[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n";

struct BadLineCase {
    const char* what;
    std::string lines;
    const char* reason;
};

TEST_F(RegistryTest, LinesThatDoNotReadAreLeftOutAndEveryOtherLineIsKept) {
    const BadLineCase cases[] = {
        {"text cut short", "\"Cut\"=\"14\n", "line 3: a quoted text is not closed"},
        {"hex byte cut short", "\"Raw\"=hex(3):41,0\n", "line 3: a hex byte"},
        {"zero byte", "\"Zero\"=\"a\0b\"\n"s, "line 3: a quoted text holds a control"},
        {"appended garbage", "Left = 1440 \x01\xff\n", "line 3: the line is neither"},
        {"hand-typed path", "\"Path\"=\"C:\\Temp\"\n", "line 3: only \\\\ and \\\""},
        {"short dword", "\"N\"=dword:2a\n", "line 3: a dword value"},
        {"other root with its value", "[HKEY_LOCAL_MACHINE\\Software]\n\"Gone\"=\"1\"\n",
         "line 3: a key must lie under HKEY_CURRENT_USER, and one more line"},
        {"unclosed section", "[HKEY_CURRENT_USER\\Software\n", "line 3: a [key] section line must end in ]"},
        {"empty key name", "[HKEY_CURRENT_USER\\Software\\\\X]\n\"Gone\"=\"1\"\n", "line 3: a key name is empty"},
        {"key name too long", "[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\n", "line 3: a key name is empty, too long"},
        {"key nested 40 KB deep", "[HKEY_CURRENT_USER\\" + std::string(40000, 'a') + "]\n",
         "line 3: a key name is empty, too long"},
        {"value name too long", "\"" + std::string(16384, 'v') + "\"=\"1\"\n", "line 3: a value name is longer"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.what);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const std::string text = std::string(kMainSection) + "\"Left\"=\"1440\"\n" + bad.lines +
                                 "[HKEY_CURRENT_USER\\Software\\Vesk Ticker\\Charts]\n\"Top\"=\"15\"\n";
        WriteFile(file_, text);
        {
            Registry registry(folder_.string());
            const auto kept = BrokenFiles();
            ASSERT_EQ(kept.size(), 1u);
            EXPECT_EQ(ReadFile(kept[0]), text);
            ASSERT_TRUE(registry.LoadProblem());
            const std::string& problem = *registry.LoadProblem();
            EXPECT_TRUE(problem.starts_with("The settings file " + file_.string() + " could not be read (")) << problem;
            EXPECT_TRUE(problem.ends_with("). It has been kept as " + kept[0].string() +
                                          ", and Vesk Ticker goes on with the settings it could read."))
                << problem;
            EXPECT_NE(problem.find(bad.reason), std::string::npos) << problem;
            HKEY main = 0;
            HKEY charts = 0;
            ASSERT_EQ(Open(registry, kMainKey, main), ERROR_SUCCESS);
            ASSERT_EQ(Open(registry, "Software\\Vesk Ticker\\Charts", charts), ERROR_SUCCESS);
            EXPECT_EQ(Query(registry, main, "Left").data, Text("1440"));
            EXPECT_EQ(Query(registry, charts, "Top").data, Text("15"));
            EXPECT_EQ(Open(registry, "Software\\X", main), ERROR_FILE_NOT_FOUND);
        }
        // Only the lines that read were written back, so the next start finds nothing wrong.
        EXPECT_LT(ReadFile(file_).size(), 400u) << ReadFile(file_);
        Registry again(folder_.string());
        EXPECT_FALSE(again.LoadProblem()) << *again.LoadProblem();
        HKEY main = 0;
        ASSERT_EQ(Open(again, kMainKey, main), ERROR_SUCCESS);
        EXPECT_EQ(Query(again, main, "Left").data, Text("1440"));
        EXPECT_EQ(BrokenFiles().size(), 1u);
    }
}

TEST_F(RegistryTest, AByteOrderMarkBeforeTheFirstLineIsNoProblem) {
    fs::create_directories(folder_);
    WriteFile(file_, "\xEF\xBB\xBF" + std::string(kMainSection) + "\"Left\"=\"1440\"\n");
    Registry registry(folder_.string());
    EXPECT_FALSE(registry.LoadProblem()) << *registry.LoadProblem();
    HKEY key = 0;
    ASSERT_EQ(Open(registry, kMainKey, key), ERROR_SUCCESS);
    EXPECT_EQ(Query(registry, key, "Left").data, Text("1440"));
}

// The store ends every line it writes, so a last line without its end is a hand edit or a
// write that a kill cut short. A value in hex bytes still reads when the cut falls after a
// whole byte; such a line is never taken, whether found at the start or appended by another
// copy meanwhile, and the whole value before it stands. A text or a number shows its end.
TEST_F(RegistryTest, ALastLineWithoutItsEndIsTakenOnlyWhenItShowsItIsWhole) {
    struct Case {
        const char* what;
        std::string whole, last;
        Stored loaded;
    };
    const std::string binary = "\"bin\"=hex(3):01,02,03,04,05,06,07,08\n";
    const Stored wholeBinary = {ERROR_SUCCESS, 3, {1, 2, 3, 4, 5, 6, 7, 8}};
    const Case cases[] = {
        {"binary cut after a byte", binary, "\"bin\"=hex(3):09,09", wholeBinary},
        {"binary cut before its first byte", binary, "\"bin\"=hex(3):", wholeBinary},
        {"text with a tab cut after a byte", "\"bin\"=hex(1):61,09,62,00\n", "\"bin\"=hex(1):63,09",
         {ERROR_SUCCESS, REG_SZ, Text("a\tb")}},
        {"hand-edited text", binary, "\"bin\"=\"typed\"", {ERROR_SUCCESS, REG_SZ, Text("typed")}},
        {"hand-edited number", binary, "\"bin\"=dword:00000007\r", {ERROR_SUCCESS, REG_DWORD, {7, 0, 0, 0}}},
    };
    for (const bool meanwhile : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (meanwhile ? ", appended meanwhile" : ", found at the start"));
            fs::remove_all(folder_);
            fs::create_directories(folder_);
            const std::string lines = std::string(kMainSection) + c.whole + c.last;
            WriteFile(file_, std::string(kMainSection) + "\"Left\"=\"1440\"\n" + (meanwhile ? "" : lines));
            {
                Registry registry(folder_.string());
                if (meanwhile) std::ofstream(file_, std::ios::binary | std::ios::app) << lines;
                ASSERT_FALSE(registry.LoadProblem()) << *registry.LoadProblem();
                const HKEY key = Create(registry, kMainKey);
                const Stored loaded = Query(registry, key, "bin");
                EXPECT_EQ(loaded.status, c.loaded.status);
                EXPECT_EQ(loaded.type, c.loaded.type);
                EXPECT_EQ(loaded.data, c.loaded.data);
                ASSERT_EQ(Set(registry, key, "Top", REG_SZ, Text("15")), ERROR_SUCCESS);
            }
            // The next change started a line of its own.
            Registry reopened(folder_.string());
            ASSERT_FALSE(reopened.LoadProblem()) << *reopened.LoadProblem();
            const HKEY key = Create(reopened, kMainKey);
            EXPECT_EQ(Query(reopened, key, "bin").data, c.loaded.data);
            EXPECT_EQ(Query(reopened, key, "Top").data, Text("15"));
            EXPECT_EQ(Query(reopened, key, "Left").data, Text("1440"));
        }
    }
}

TEST_F(RegistryTest, NamesKeepTheClassicRegistrysBounds) {
    Registry registry(folder_.string());
    HKEY key = 0;
    const auto create = [&](const std::string& path, HKEY root = HKEY_CURRENT_USER) {
        return registry.RegCreateKeyExA(root, path, 0, KEY_ALL_ACCESS_LEGACY, key);
    };
    EXPECT_EQ(create(std::string(255, 'k')), ERROR_SUCCESS);
    EXPECT_EQ(create(std::string(256, 'k')), ERROR_BAD_PATHNAME);
    std::string deepest = "k";
    for (int level = 2; level <= 512; ++level) deepest += "\\k";
    EXPECT_EQ(create(deepest), ERROR_SUCCESS);
    const HKEY bottom = key;
    EXPECT_EQ(create(deepest + "\\k"), ERROR_BAD_PATHNAME);
    EXPECT_EQ(create("k", bottom), ERROR_BAD_PATHNAME);
    EXPECT_EQ(Set(registry, bottom, std::string(16383, 'v'), REG_SZ, Text("1")), ERROR_SUCCESS);
    EXPECT_EQ(Set(registry, bottom, std::string(16384, 'v'), REG_SZ, Text("1")), ERROR_INVALID_PARAMETER);
    // Written back, the deep key is one section, not one per level.
    EXPECT_LT(ReadFile(file_).size(), 40000u);
    Registry reopened(folder_.string());
    EXPECT_FALSE(reopened.LoadProblem()) << *reopened.LoadProblem();
    EXPECT_EQ(Open(reopened, deepest, key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, UnreadableFileIsKeptAsideToo) {
    fs::create_directories(file_);  // reading a folder fails whoever runs the test
    Registry registry(folder_.string());
    ASSERT_TRUE(registry.LoadProblem());
    EXPECT_NE(registry.LoadProblem()->find("could not be read ("s + std::strerror(EISDIR) + ")"), std::string::npos)
        << *registry.LoadProblem();
    ASSERT_EQ(BrokenFiles().size(), 1u);
    EXPECT_TRUE(fs::is_directory(BrokenFiles()[0]));
}

TEST_F(RegistryTest, LaterBreakDoesNotReplaceAnEarlierBrokenFile) {
    fs::create_directories(folder_);
    for (const char* text : {"first\n", "second\n"}) {
        WriteFile(file_, text);
        EXPECT_TRUE(Registry(folder_.string()).LoadProblem());
    }
    std::vector<std::string> contents;
    for (const auto& path : BrokenFiles()) contents.push_back(ReadFile(path));
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"first\n", "second\n"}));
}

TEST_F(RegistryTest, AValueIsInTheFileWhenTheCallReturnsAndTheFileKeepsItsMode) {
    {
        Registry registry(folder_.string());
        Set(registry, Create(registry, kMainKey), "Left", REG_SZ, Text("1440"));
    }
    fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write);
    Registry registry(folder_.string());
    const HKEY key = Create(registry, kMainKey);
    for (int x = 0; x < 3; ++x) {
        ASSERT_EQ(Set(registry, key, "Top", REG_SZ, Text(std::to_string(x))), ERROR_SUCCESS);
        EXPECT_NE(ReadFile(file_).find("\"Top\"=\"" + std::to_string(x) + "\"\n"), std::string::npos);
    }
    EXPECT_EQ(fs::status(file_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(folder_ / "registry.txt.new"));
}

TEST_F(RegistryTest, AWriteThatFailsIsToldOnceWithTheFileAndTheCause) {
    fs::create_directories(folder_);
    const std::string before = std::string(kMainSection) + "\"Left\"=\"1440\"\n";
    WriteFile(file_, before);
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file_, readOnly);
    Registry registry(folder_.string());
    EXPECT_FALSE(registry.LoadProblem());
    std::vector<std::string> told;
    registry.ReportProblemsTo([&](const std::string& problem) { told.push_back(problem); });
    HKEY key = 0;
    registry.RegCreateKeyExA(HKEY_CURRENT_USER, kMainKey, 0, KEY_ALL_ACCESS_LEGACY, key);
    ASSERT_NE(key, 0);
    EXPECT_EQ(Set(registry, key, "Top", REG_SZ, Text("15")), ERROR_WRITE_FAULT);
    EXPECT_EQ(Set(registry, key, "Top", REG_SZ, Text("30")), ERROR_WRITE_FAULT);
    EXPECT_EQ(told, std::vector<std::string>{"Vesk Ticker could not save its settings to " + file_.string() +
                                             ": the file is read-only. Changes to them last only until "
                                             "Vesk Ticker closes."});
    EXPECT_EQ(Query(registry, key, "Top").data, Text("30"));  // for the rest of the run
    EXPECT_EQ(Query(registry, key, "Left").data, Text("1440"));
    EXPECT_EQ(ReadFile(file_), before);
    EXPECT_EQ(fs::status(file_).permissions(), readOnly);
}

// A settings folder that cannot be made is told as what it is, not as a file that could
// not be read; the settings then last for the run.
TEST_F(RegistryTest, AFolderThatCannotBeMadeIsToldWithItsCause) {
    fs::create_directories(folder_);
    WriteFile(folder_ / "plain file", "");
    const fs::path store = folder_ / "plain file" / "vesk-ticker";
    Registry registry(store.string());
    ASSERT_TRUE(registry.LoadProblem());
    EXPECT_EQ(*registry.LoadProblem(), "The settings folder " + store.string() + " could not be created (" +
                                           std::strerror(ENOTDIR) +
                                           "). Changes to the settings last only until Vesk Ticker closes.");
    HKEY key = 0;
    EXPECT_EQ(registry.RegCreateKeyExA(HKEY_CURRENT_USER, kMainKey, 0, KEY_ALL_ACCESS_LEGACY, key),
              ERROR_WRITE_FAULT);
    ASSERT_NE(key, 0);
    EXPECT_EQ(Set(registry, key, "Top", REG_SZ, Text("15")), ERROR_WRITE_FAULT);
    EXPECT_EQ(Query(registry, key, "Top").data, Text("15"));

    Registry homeless("");
    ASSERT_TRUE(homeless.LoadProblem());
    EXPECT_NE(homeless.LoadProblem()->find("found no home folder"), std::string::npos) << *homeless.LoadProblem();
}

// The XDG rules: an absolute XDG_CONFIG_HOME, else the home folder's .config; a relative
// XDG_CONFIG_HOME or HOME counts as none, and without HOME the password database names home.
TEST_F(RegistryTest, TheSettingsFolderFollowsTheXdgRules) {
    struct EnvCase {
        const char* config;
        const char* home;
        std::string folder;
    };
    const std::string passwdHome = ::getpwuid(::getuid())->pw_dir;
    const std::string fromPasswd = (passwdHome == "/" ? "" : passwdHome) + "/.config/vesk-ticker";
    const EnvCase cases[] = {
        {"/x/config", "/home/a", "/x/config/vesk-ticker"},
        {"relative/config", "/home/a", "/home/a/.config/vesk-ticker"},
        {"", "/home/a", "/home/a/.config/vesk-ticker"},
        {nullptr, nullptr, fromPasswd},
        {nullptr, "", fromPasswd},
        {nullptr, "relative", fromPasswd},
    };
    const auto restore = [](const char* name, const char* value) {
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    };
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedConfig = oldConfig ? oldConfig : "", savedHome = oldHome ? oldHome : "";
    for (const EnvCase& c : cases) {
        restore("XDG_CONFIG_HOME", c.config);
        restore("HOME", c.home);
        EXPECT_EQ(SettingsFolder(), c.folder) << (c.config ? c.config : "(unset)") << ", " << (c.home ? c.home : "(unset)");
    }
    restore("XDG_CONFIG_HOME", oldConfig ? savedConfig.c_str() : nullptr);
    restore("HOME", oldHome ? savedHome.c_str() : nullptr);
}

// A dotfile manager's link stays a link: the writes, rewrites included, reach its target.
TEST_F(RegistryTest, ALinkedSettingsFileStaysLinked) {
    const fs::path dotfiles = fs::path(temp_.path().toStdString()) / "dotfiles";
    fs::create_directories(dotfiles);
    fs::create_directories(folder_);
    WriteFile(dotfiles / "registry.txt", std::string(kMainSection) + "\"Left\"=\"1440\"\n");
    fs::create_symlink(dotfiles / "registry.txt", file_);
    {
        Registry registry(folder_.string());
        const HKEY key = Create(registry, kMainKey);
        for (int x = 0; x < 500; ++x) Set(registry, key, "Top", REG_SZ, Text(std::to_string(x) + std::string(60, '.')));
    }
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_FALSE(fs::exists(folder_ / "registry.txt.new"));
    EXPECT_FALSE(fs::exists(dotfiles / "registry.txt.new"));
    Registry reopened(folder_.string());
    HKEY key = 0;
    ASSERT_EQ(Open(reopened, kMainKey, key), ERROR_SUCCESS);
    EXPECT_EQ(Query(reopened, key, "Left").data, Text("1440"));
    EXPECT_EQ(Query(reopened, key, "Top").data, Text("499" + std::string(60, '.')));
}

// A broken file behind a dotfile manager's link goes aside next to its target, and the
// file written anew in its place is reached through the same link.
TEST_F(RegistryTest, ABrokenLinkedFileGoesAsideAndTheLinkStays) {
    const fs::path dotfiles = fs::path(temp_.path().toStdString()) / "dotfiles";
    fs::create_directories(dotfiles);
    fs::create_directories(folder_);
    const std::string broken = std::string(kMainSection) + "\"Left\"=\"1440\"\nLeft = 1440\n";
    WriteFile(dotfiles / "registry.txt", broken);
    fs::create_symlink("../dotfiles/registry.txt", file_);
    {
        Registry registry(folder_.string());
        ASSERT_TRUE(registry.LoadProblem());
        EXPECT_EQ(Set(registry, Create(registry, kMainKey), "Top", REG_SZ, Text("15")), ERROR_SUCCESS);
    }
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(fs::read_symlink(file_), "../dotfiles/registry.txt");
    std::vector<std::string> kept;
    for (const auto& entry : fs::directory_iterator(dotfiles))
        if (entry.path().filename().string().starts_with("registry.txt.broken-")) kept.push_back(ReadFile(entry.path()));
    EXPECT_EQ(kept, std::vector<std::string>{broken});
    Registry reopened(folder_.string());
    EXPECT_FALSE(reopened.LoadProblem());
    HKEY key = 0;
    ASSERT_EQ(Open(reopened, kMainKey, key), ERROR_SUCCESS);
    EXPECT_EQ(Query(reopened, key, "Left").data, Text("1440"));
    EXPECT_EQ(Query(reopened, key, "Top").data, Text("15"));
}

// Whatever a crash or a user left under the name a rewrite writes to first is put out of
// the way, never written through.
TEST_F(RegistryTest, AStaleTemporaryNameNeitherStopsNorRedirectsARewrite) {
    const fs::path temporary = folder_ / "registry.txt.new";
    const fs::path elsewhere = fs::path(temp_.path().toStdString()) / "elsewhere.txt";
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"link to another file", [&] { fs::create_symlink(elsewhere, temporary); }},
        {"dangling link", [&] { fs::create_symlink(folder_ / "missing", temporary); }},
        {"empty folder", [&] { fs::create_directory(temporary); }},
    };
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        WriteFile(elsewhere, "precious\n");
        make();
        {
            Registry registry(folder_.string());
            EXPECT_EQ(Set(registry, Create(registry, kMainKey), "Left", REG_SZ, Text("1440")), ERROR_SUCCESS);
        }
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file_)));
        EXPECT_FALSE(fs::exists(fs::symlink_status(temporary)));
        EXPECT_FALSE(fs::exists(folder_ / "missing"));
        EXPECT_EQ(ReadFile(elsewhere), "precious\n");
        Registry reopened(folder_.string());
        HKEY key = 0;
        ASSERT_EQ(Open(reopened, kMainKey, key), ERROR_SUCCESS);
        EXPECT_EQ(Query(reopened, key, "Left").data, Text("1440"));
    }
}

// A rewrite that cannot make its new file (here a folder that no rewrite may clear away
// holds its name) is a write that fails: told once, kept in memory and tried again with each
// change, so that the appended lines never grow past what the next start reads.
TEST_F(RegistryTest, ARewriteThatCannotMakeItsFileIsToldOnceAndLosesNothingAcknowledged) {
    const fs::path temporary = folder_ / "registry.txt.new";
    Registry registry(folder_.string());
    const HKEY key = StoreLeft(registry);
    fs::create_directories(temporary / "someone's");
    const auto text = [](int x) { return Text(std::to_string(x) + ":" + std::string(16000, 'x')); };
    constexpr int kWrites = 1100;  // 17 MB of appended lines
    int acknowledged = -1;
    for (int x = 0; x < kWrites; ++x) {
        if (Set(registry, key, "Value", REG_SZ, text(x)) == ERROR_SUCCESS) acknowledged = x;
    }
    EXPECT_EQ(told_, std::vector<std::string>{"Vesk Ticker could not save its settings to " + file_.string() + ": " +
                                              temporary.string() + " cannot be made (" + std::strerror(ENOTEMPTY) +
                                              "). Changes to them last only until Vesk Ticker closes."});
    EXPECT_LT(fs::file_size(file_), 1u << 20);
    ASSERT_GE(acknowledged, 0);
    for (const bool cleared : {false, true}) {
        SCOPED_TRACE(cleared ? "after the folder went" : "while the folder is there");
        Registry fresh(folder_.string());
        ASSERT_FALSE(fresh.LoadProblem()) << *fresh.LoadProblem();
        const HKEY again = Create(fresh, kMainKey);
        EXPECT_EQ(Query(fresh, again, "Left").data, Text("1440"));
        EXPECT_EQ(Query(fresh, again, "Value").data, text(cleared ? kWrites - 1 : acknowledged));
        if (cleared) break;
        fs::remove_all(temporary);
        // The next change writes what was kept in memory with it.
        EXPECT_EQ(Set(registry, key, "Top", REG_SZ, Text("15")), ERROR_SUCCESS);
    }
    EXPECT_EQ(told_.size(), 1u);
}

// Nor does a value too large for the file: the file stays readable with all the others.
TEST_F(RegistryTest, AValueThatWouldTakeTheFilePastTheSizeLimitIsNotWritten) {
    Registry registry(folder_.string());
    const HKEY key = StoreLeft(registry);
    EXPECT_EQ(Set(registry, key, "Big", REG_SZ, Text(std::string(17 << 20, 'x'))), ERROR_WRITE_FAULT);
    EXPECT_EQ(told_, std::vector<std::string>{"Vesk Ticker could not save its settings to " + file_.string() + ": " +
                                              std::strerror(EFBIG) +
                                              ". Changes to them last only until Vesk Ticker closes."});
    Registry fresh(folder_.string());
    ASSERT_FALSE(fresh.LoadProblem()) << *fresh.LoadProblem();
    const HKEY again = Create(fresh, kMainKey);
    EXPECT_EQ(Query(fresh, again, "Left").data, Text("1440"));
    EXPECT_EQ(Query(fresh, again, "Big").status, ERROR_FILE_NOT_FOUND);
}

// A file that grew past 16 MiB while the program ran (another program appending to it, say)
// is not read in: it goes aside as such a file found at the start does.
TEST_F(RegistryTest, AFileGrownPastTheSizeLimitIsNotReadIn) {
    Registry registry(folder_.string());
    const HKEY key = StoreLeft(registry);
    std::ofstream(file_, std::ios::binary | std::ios::app) << "; " << std::string(17 << 20, 'x') << "\n";
    Query(registry, key, "Left");
    ASSERT_EQ(told_.size(), 1u);
    EXPECT_NE(told_[0].find("could not be read (it is larger than 16 MiB)."), std::string::npos) << told_[0];
    EXPECT_EQ(BrokenFiles().size(), 1u);
}

// The end of a run whose change another copy's lock holds back tries that change once more,
// and asks once for a later flush.
TEST_F(RegistryTest, SettlingWhileTheLockIsHeldTriesThePendingChangeOnce) {
    Registry registry(folder_.string());
    const HKEY key = Create(registry, kMainKey);
    int due = 0;
    registry.WhenFlushDue([&] { ++due; });
    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    EXPECT_EQ(Set(registry, key, "Left", REG_SZ, Text("1440")), ERROR_WRITE_FAULT);
    due = 0;
    registry.Settle();
    EXPECT_EQ(due, 1);
    ::close(folder);
    registry.Flush();
    Registry reopened(folder_.string());
    EXPECT_EQ(Query(reopened, Create(reopened, kMainKey), "Left").data, Text("1440"));
}

// A write adds its lines to the file, which stays the same file, until the added lines
// outgrow the rest; then the file is written anew with each value once.
TEST_F(RegistryTest, AWriteAppendsAndTheFileIsRewrittenWhenTheAppendedLinesOutgrowIt) {
    Registry registry(folder_.string());
    const HKEY key = Create(registry, kMainKey);
    Set(registry, key, "Left", REG_SZ, Text("0"));
    struct stat before {};
    ASSERT_EQ(::stat(file_.c_str(), &before), 0);
    Set(registry, key, "Left", REG_SZ, Text("1"));
    Set(registry, key, "Top", REG_SZ, Text("2"));
    struct stat after {};
    ASSERT_EQ(::stat(file_.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_TRUE(ReadFile(file_).ends_with("]\n\"Left\"=\"1\"\n[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n\"Top\"=\"2\"\n"))
        << ReadFile(file_);
    for (int x = 0; x < 1000; ++x) Set(registry, key, "Left", REG_SZ, Text(std::to_string(x)));
    EXPECT_LT(fs::file_size(file_), 20000u);
    Registry reopened(folder_.string());
    ASSERT_FALSE(reopened.LoadProblem()) << *reopened.LoadProblem();
    const HKEY again = Create(reopened, kMainKey);
    EXPECT_EQ(Query(reopened, again, "Left").data, Text("999"));
    EXPECT_EQ(Query(reopened, again, "Top").data, Text("2"));
}

TEST_F(RegistryTest, AClosedStoreLeavesEachValueOnceInTheFile) {
    {
        Registry registry(folder_.string());
        const HKEY key = Create(registry, kMainKey);
        for (const char* left : {"0", "1", "2"}) Set(registry, key, "Left", REG_SZ, Text(left));
        Set(registry, key, "Top", REG_SZ, Text("3"));
    }
    EXPECT_EQ(ReadFile(file_).substr(ReadFile(file_).find("\n[") + 1),
              "[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n\"Left\"=\"2\"\n\"Top\"=\"3\"\n");
}

constexpr int kStressValues = 50;  // as many as vesk-registry-stress rewrites per round

// A stress writer killed at any moment leaves values 0 to k of its last round and the rest of
// the round before. Every round it said it had stored must be there whole; gives the round
// of each value.
std::vector<long> StoredRounds(Registry& registry, const std::string& keyName, long wholeRound) {
    HKEY key = 0;
    EXPECT_EQ(Open(registry, "Software\\" + keyName, key), ERROR_SUCCESS) << keyName;
    std::vector<long> rounds;
    for (int i = 0; i < kStressValues; ++i) {
        const Stored stored = Query(registry, key, "Value " + std::to_string(i));
        const std::string text(stored.data.begin(), stored.data.end());
        const long round = std::atol(text.c_str());
        if (round > 0) {
            EXPECT_EQ(text, std::to_string(round) + ":" + std::string(150, 'x') + '\0') << i;
        }
        rounds.push_back(round);
    }
    EXPECT_TRUE(std::is_sorted(rounds.rbegin(), rounds.rend())) << keyName << ": " << ::testing::PrintToString(rounds);
    EXPECT_LE(rounds.front() - rounds.back(), 1) << keyName;
    EXPECT_GE(rounds.back(), wholeRound) << keyName << ": a round it had stored is gone";
    return rounds;
}

// Starts vesk-registry-stress on the test's folder and waits until its first value is stored.
class StressWriter {
public:
    StressWriter(const fs::path& folder, const std::string& keyName, const std::string& preload = {}) {
        if (!preload.empty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("LD_PRELOAD", QString::fromStdString(preload));
            // A sanitised writer lets a library load before the sanitizer's runtime.
            env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
            process_.setProcessEnvironment(env);
        }
        process_.start(VESK_REGISTRY_STRESS, {QString::fromStdString(folder.string()), QString::fromStdString(keyName)});
        WaitFor("ready\n");
    }
    // Waits until the writer's output holds text; the deadline only catches a writer that hangs.
    void WaitFor(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (output_.find(text) == std::string::npos) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the writer never printed " << text;
            if (process_.waitForReadyRead(1000)) output_ += process_.readAllStandardOutput().toStdString();
            ASSERT_NE(process_.state(), QProcess::NotRunning) << process_.errorString().toStdString();
        }
    }
    // The last round it said was stored whole, as far as its output has come.
    long LastRound() {
        if (process_.waitForReadyRead(0)) output_ += process_.readAllStandardOutput().toStdString();
        const size_t last = output_.rfind("round ");
        return last == std::string::npos ? 0 : std::atol(output_.c_str() + last + 6);
    }
    // Kills it and gives the last round it said was stored whole.
    long Kill() {
        ::kill(Pid(), SIGKILL);
        EXPECT_TRUE(process_.waitForFinished(10000));
        output_ += process_.readAllStandardOutput().toStdString();
        return LastRound();
    }
    pid_t Pid() const { return static_cast<pid_t>(process_.processId()); }
    // What it told of the settings store so far, one problem a line.
    std::string Told() { return process_.readAllStandardError().toStdString(); }
    // Stops it (SIGSTOP, as Ctrl-Z does) at a moment it holds the settings folder's lock.
    // The deadline only catches a writer that died.
    void StopHoldingTheLock(const fs::path& folder) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (;;) {
            ::kill(Pid(), SIGSTOP);
            while (ProcessState() != 'T' && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
            if (std::chrono::steady_clock::now() >= deadline) {
                ::close(fd);
                FAIL() << "the writer never stopped while holding the lock; its state is " << ProcessState();
            }
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) break;
            ::flock(fd, LOCK_UN);
            ::kill(Pid(), SIGCONT);
        }
        ::close(fd);
    }

private:
    char ProcessState() const {
        std::ifstream stat("/proc/" + std::to_string(Pid()) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const size_t close = text.rfind(')');
        return close == std::string::npos || close + 2 >= text.size() ? '?' : text[close + 2];
    }

    QProcess process_;
    std::string output_;
};

TEST_F(RegistryTest, WriterKilledAtRandomMomentsLosesNoStoredValue) {
    std::random_device seed;
    const unsigned seedValue = seed();
    SCOPED_TRACE("seed " + std::to_string(seedValue));
    std::mt19937 random(seedValue);
    std::uniform_int_distribution<int> delayUs(0, 30000);
    std::vector<long> before(kStressValues, 0);
    for (int kill = 0; kill < 30; ++kill) {
        StressWriter writer(folder_, "Stress");
        if (HasFatalFailure()) return;
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        const long wholeRound = writer.Kill();

        Registry registry(folder_.string());
        ASSERT_FALSE(registry.LoadProblem()) << *registry.LoadProblem();
        const std::vector<long> rounds = StoredRounds(registry, "Stress", wholeRound);
        EXPECT_GE(rounds.front(), 1) << "the value stored before \"ready\" is gone";
        for (int i = 0; i < kStressValues; ++i) EXPECT_GE(rounds[i], before[i]) << "value " << i << " went back";
        before = rounds;
        if (HasFailure()) return;
    }
}

TEST_F(RegistryTest, TwoCopiesWritingAtOnceKeepEachOthersValuesAndSeeThemAtOnce) {
    Registry reader(folder_.string());  // loaded before either writer wrote anything
    HKEY key = 0;
    ASSERT_EQ(Open(reader, "Software\\Stress A", key), ERROR_FILE_NOT_FOUND);
    StressWriter first(folder_, "Stress A");
    StressWriter second(folder_, "Stress B");
    if (HasFatalFailure()) return;
    first.WaitFor("round 3\n");
    second.WaitFor("round 3\n");
    if (HasFatalFailure()) return;
    const long firstRound = first.Kill();
    const long secondRound = second.Kill();
    EXPECT_GE(firstRound, 3);
    EXPECT_GE(secondRound, 3);
    StoredRounds(reader, "Stress A", firstRound);
    StoredRounds(reader, "Stress B", secondRound);
    // A write of the copy that loaded first leaves what the others wrote.
    ASSERT_EQ(Set(reader, HKEY_CURRENT_USER, "Reader", REG_SZ, Text("1")), ERROR_SUCCESS);
    Registry fresh(folder_.string());
    StoredRounds(fresh, "Stress A", firstRound);
    StoredRounds(fresh, "Stress B", secondRound);
}

// Where the file system locks no files (an NFS home whose server runs no lock daemon) the
// settings are saved all the same, and the user is told once what that risks.
TEST_F(RegistryTest, WithoutFileLocksTheSettingsAreSavedAndTheUserIsToldOnce) {
    StressWriter writer(folder_, "Stress", VESK_NO_FILE_LOCKS);
    if (HasFatalFailure()) return;
    writer.WaitFor("round 3\n");
    if (HasFatalFailure()) return;
    const long round = writer.Kill();
    const std::string told = writer.Told();
    EXPECT_TRUE(told.starts_with("Vesk Ticker cannot lock its settings folder " + folder_.string() + " (")) << told;
    EXPECT_TRUE(told.ends_with("). It saves its settings without the lock, so two Vesk Tickers running at once "
                               "may undo each other's changes.\n"))
        << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    Registry registry(folder_.string());
    EXPECT_FALSE(registry.LoadProblem());
    StoredRounds(registry, "Stress", round);
}

// A copy stopped while it holds the lock keeps no other copy from starting or writing: that
// one waits a while, goes on with what it read, says why once, and keeps its changes until
// it can write them.
TEST_F(RegistryTest, ACopyStoppedWhileHoldingTheLockFreezesNobody) {
    StressWriter writer(folder_, "Stress");
    if (HasFatalFailure()) return;
    writer.StopHoldingTheLock(folder_);
    if (HasFatalFailure()) return;
    struct Seen {
        std::unique_ptr<Registry> registry;
        LONG created = -1, set = -1;
        HKEY key = 0;
        std::vector<uint8_t> read;
    };
    // On a thread of its own, so that a store that waits for ever fails the test, not hangs it.
    auto started = std::async(std::launch::async, [&] {
        Seen seen;
        seen.registry = std::make_unique<Registry>(folder_.string());
        seen.created = seen.registry->RegCreateKeyExA(HKEY_CURRENT_USER, kMainKey, 0, KEY_ALL_ACCESS_LEGACY, seen.key);
        seen.set = Set(*seen.registry, seen.key, "Left", REG_SZ, Text("1440"));
        seen.read = Query(*seen.registry, seen.key, "Left").data;
        return seen;
    });
    if (started.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
        ::kill(writer.Pid(), SIGCONT);
        started.wait();
        FAIL() << "the store waited for the stopped copy's lock";
    }
    Seen seen = started.get();
    Registry& registry = *seen.registry;
    ASSERT_TRUE(registry.LoadProblem());
    EXPECT_EQ(*registry.LoadProblem(),
              "Another running Vesk Ticker holds the settings file " + file_.string() +
                  " and does not let go of it. Vesk Ticker goes on with the settings it last read and "
                  "saves changes to them once the other one lets go.");
    EXPECT_EQ(seen.created, ERROR_WRITE_FAULT);
    EXPECT_NE(seen.key, 0);
    EXPECT_EQ(seen.set, ERROR_WRITE_FAULT);
    EXPECT_EQ(seen.read, Text("1440"));  // kept for the run
    HKEY stress = 0;
    EXPECT_EQ(Open(registry, "Software\\Stress", stress), ERROR_SUCCESS);  // what it read

    const long round = writer.Kill();
    registry.Flush();
    Registry fresh(folder_.string());
    EXPECT_FALSE(fresh.LoadProblem());
    HKEY key = 0;
    ASSERT_EQ(Open(fresh, kMainKey, key), ERROR_SUCCESS);
    EXPECT_EQ(Query(fresh, key, "Left").data, Text("1440"));
    StoredRounds(fresh, "Stress", round);
}

// A rewrite puts its new file on the disk before the file takes the old one's name, and the
// folder that records the rename after, so that a power cut leaves the one or the other whole.
TEST_F(RegistryTest, ARewrittenFileIsOnTheDiskBeforeItReplacesTheOldOne) {
    StressWriter writer(folder_, "Stress", VESK_UNSYNCED_RENAMES);
    if (HasFatalFailure()) return;
    writer.WaitFor("round 10\n");  // the file has been rewritten a few times by then
    if (HasFatalFailure()) return;
    writer.Kill();
    EXPECT_EQ(writer.Told(), "");
}

// Neither a FIFO, nor a link to an endless device, nor a file of many megabytes is read: a
// copy starts with its defaults and the thing is moved aside.
TEST_F(RegistryTest, OnlyARegularFileOfSaneSizeIsRead) {
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* reason;
    };
    const Case cases[] = {
        {"FIFO", [&] { ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0); }, "it is not a regular file"},
        {"link to /dev/zero", [&] { fs::create_symlink("/dev/zero", file_); }, "it is not a regular file"},
        {"17 MiB", [&] { WriteFile(file_, std::string(kMainSection) + "; " + std::string(17 << 20, 'x') + "\n"); },
         "it is larger than 16 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        c.make();
        {
            Registry registry(folder_.string());
            ASSERT_TRUE(registry.LoadProblem());
            EXPECT_NE(registry.LoadProblem()->find("could not be read ("s + c.reason + "). It has been kept as "),
                      std::string::npos)
                << *registry.LoadProblem();
            EXPECT_TRUE(registry.LoadProblem()->ends_with("and Vesk Ticker starts with its default settings."));
        }
        EXPECT_EQ(BrokenFiles().size(), 1u);
        c.make();
        {
            StressWriter writer(folder_, "Stress");  // another copy starts, and writes
            if (HasFatalFailure()) return;
            writer.Kill();
        }
        EXPECT_EQ(BrokenFiles().size(), 2u);
        EXPECT_TRUE(fs::is_character_file("/dev/zero"));  // the link went aside, not its target
        Registry registry(folder_.string());
        EXPECT_FALSE(registry.LoadProblem());
        EXPECT_GE(StoredRounds(registry, "Stress", 0).front(), 1);
    }
}

// Three copies write at once and see file times cut to a 4 ms grain, so that a file replaced
// within one tick has the times of the one it replaced: a copy never takes a replaced file
// for the one it read, so no round that any copy finished is missing from the file at any
// moment.
TEST_F(RegistryTest, CopiesWritingAtOnceLoseNoFinishedRoundWithCoarseFileTimes) {
    const std::vector<std::string> keys = {"Stress A", "Stress B", "Stress C"};
    std::vector<std::unique_ptr<StressWriter>> writers;
    for (const auto& key : keys) writers.push_back(std::make_unique<StressWriter>(folder_, key, VESK_COARSE_FILE_TIMES));
    if (HasFatalFailure()) return;
    // Each look reads a copy of the file taken under the lock, a moment of it as a whole.
    const fs::path moment = fs::path(temp_.path().toStdString()) / "moment";
    fs::create_directories(moment);
    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    for (int look = 0; look < 300 && !HasFailure(); ++look) {
        std::vector<long> finished;
        for (auto& writer : writers) finished.push_back(writer->LastRound());
        ASSERT_EQ(::flock(folder, LOCK_EX), 0);
        fs::copy_file(file_, moment / "registry.txt", fs::copy_options::overwrite_existing);
        ::flock(folder, LOCK_UN);
        Registry registry(moment.string());
        for (size_t i = 0; i < keys.size(); ++i) StoredRounds(registry, keys[i], finished[i]);
    }
    ::close(folder);
    for (auto& writer : writers) EXPECT_GE(writer->Kill(), 3) << "a writer hardly wrote";
}

}  // namespace
