#include "platform/registry.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QEventLoop>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

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
    uint8_t buffer[255];
    uint32_t length = sizeof buffer;
    stored.status = registry.RegQueryValueExA(key, name, &stored.type, buffer, length);
    if (stored.status == ERROR_SUCCESS) stored.data.assign(buffer, buffer + length);
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
              "\"Top\"=\"0\"");  // no line end after the last line
    Registry registry(folder_.string());
    ASSERT_FALSE(registry.LoadProblem()) << *registry.LoadProblem();
    HKEY main = 0;
    HKEY charts = 0;
    ASSERT_EQ(Open(registry, kMainKey, main), ERROR_SUCCESS);
    ASSERT_EQ(Open(registry, "Software\\Vesk Ticker\\Charts", charts), ERROR_SUCCESS);
    EXPECT_EQ(Query(registry, main, "Left").data, Text("2880"));
    EXPECT_EQ(Query(registry, main, "Count").data, (std::vector<uint8_t>{0x2a, 0, 0, 0}));
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

    HKEY charts = Create(registry, "SOFTWARE\\VESK TICKER\\Charts");
    HKEY same = 0;
    EXPECT_EQ(Open(registry, "software\\vesk ticker\\CHARTS", same), ERROR_SUCCESS);
    Set(registry, same, "Symbol", REG_SZ, Text("IBM"));
    EXPECT_EQ(Query(registry, charts, "SYMBOL").data, Text("IBM"));
    registry.Flush();

    const std::string text = ReadFile(file_);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vesk Ticker\\Charts]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Always On Top\"=\"False\""), std::string::npos) << text;
    EXPECT_EQ(text.find("ALWAYS"), std::string::npos) << text;
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

struct BrokenCase {
    const char* what;
    std::string text;
    const char* reason;
};

TEST_F(RegistryTest, BrokenFileIsKeptAsideAndReported) {
    const BrokenCase cases[] = {
        {"value before any section", "\"Left\"=\"1440\"\n", "line 1: a value comes before any [key] section"},
        {"truncated in a text", "[HKEY_CURRENT_USER\\Software]\n\"Left\"=\"14", "line 2: a quoted text is not closed"},
        {"truncated in a hex byte", "[HKEY_CURRENT_USER\\Software]\n\"Raw\"=hex(3):41,0", "line 2: a hex byte"},
        {"bad hex", "[HKEY_CURRENT_USER\\Software]\n\n\"Raw\"=hex(3):4g\n", "line 3: a hex byte"},
        {"short dword", "[HKEY_CURRENT_USER\\Software]\n\"N\"=dword:2a\n", "line 2: a dword value"},
        {"nonsense", "[HKEY_CURRENT_USER\\Software]\nLeft = 1440\n", "line 2: the line is neither"},
        {"other root", "[HKEY_LOCAL_MACHINE\\Software]\n", "line 1: a key must lie under HKEY_CURRENT_USER"},
        {"unclosed section", "[HKEY_CURRENT_USER\\Software\n", "line 1: a [key] section line must end in ]"},
        {"empty key name", "[HKEY_CURRENT_USER\\Software\\\\X]\n", "line 1: a key name is empty"},
        {"bad escape", "[HKEY_CURRENT_USER\\Software]\n\"A\"=\"C:\\Temp\"\n", "line 2: only \\\\ and \\\""},
        {"zero byte", "[HKEY_CURRENT_USER\\Software]\n\"A\"=\"\0\"\n"s, "line 2: a quoted text holds a control"},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.what);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        WriteFile(file_, broken.text);
        {
            Registry registry(folder_.string());
            const auto kept = BrokenFiles();
            ASSERT_EQ(kept.size(), 1u);
            EXPECT_EQ(ReadFile(kept[0]), broken.text);
            ASSERT_TRUE(registry.LoadProblem());
            const std::string& problem = *registry.LoadProblem();
            EXPECT_TRUE(problem.starts_with("The settings file " + file_.string() + " could not be read (")) << problem;
            EXPECT_TRUE(problem.ends_with("). It has been kept as " + kept[0].string() +
                                          " and Vesk Ticker starts with its default settings."))
                << problem;
            EXPECT_NE(problem.find(broken.reason), std::string::npos) << problem;
            HKEY key = 0;
            EXPECT_EQ(Open(registry, "Software", key), ERROR_FILE_NOT_FOUND);
            Set(registry, Create(registry, kMainKey), "Left", REG_SZ, Text("0"));
        }
        const auto kept = BrokenFiles();
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(ReadFile(kept[0]), broken.text);
        EXPECT_FALSE(Registry(folder_.string()).LoadProblem());
    }
}

TEST_F(RegistryTest, UnreadableFileIsKeptAsideToo) {
    fs::create_directories(file_);  // reading a folder fails whoever runs the test
    Registry registry(folder_.string());
    ASSERT_TRUE(registry.LoadProblem());
    EXPECT_NE(registry.LoadProblem()->find("could not be read (Is a directory)"), std::string::npos)
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

TEST_F(RegistryTest, UnwritableFolderKeepsWritesInMemory) {
    fs::create_directories(folder_);
    WriteFile(folder_ / "plain file", "");
    const fs::path impossible = folder_ / "plain file" / "vesk-ticker";
    Registry registry(impossible.string());
    EXPECT_FALSE(registry.LoadProblem());
    const HKEY key = Create(registry, kMainKey);
    EXPECT_EQ(Set(registry, key, "Left", REG_SZ, Text("1440")), ERROR_SUCCESS);
    registry.Flush();
    registry.Flush();
    EXPECT_EQ(Query(registry, key, "Left").data, Text("1440"));
}

TEST_F(RegistryTest, BurstOfWritesReachesTheDiskShortlyAfter) {
    Registry registry(folder_.string());
    const HKEY key = Create(registry, kMainKey);
    for (int x = 0; x < 100; ++x) Set(registry, key, "Left", REG_SZ, Text(std::to_string(x)));
    EXPECT_FALSE(fs::exists(file_));  // not yet: the burst is coalesced

    QEventLoop loop;
    QFileSystemWatcher watcher({QString::fromStdString(folder_.string())});
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, [&] {
        if (fs::exists(file_)) loop.quit();
    });
    bool timedOut = false;
    QTimer::singleShot(5000, [&] {
        timedOut = true;
        loop.quit();
    });
    loop.exec();
    ASSERT_FALSE(timedOut) << "the pending writes never reached " << file_;
    EXPECT_NE(ReadFile(file_).find("\"Left\"=\"99\""), std::string::npos);
}

constexpr int kStressValues = 300;  // as many as vesk-registry-stress rewrites per round

// Every round of the stress writer stores the same text in all its values, so a store that
// mixes rounds, or cuts one short, was torn.
long StressRound(Registry& registry) {
    HKEY key = 0;
    if (Open(registry, "Software\\Stress", key) != ERROR_SUCCESS) return 0;
    const Stored first = Query(registry, key, "Value 0");
    const std::string text(first.data.begin(), first.data.end());
    const long round = std::atol(text.c_str());
    EXPECT_EQ(text, std::to_string(round) + ":" + std::string(150, 'x') + '\0');
    for (int i = 1; i < kStressValues; ++i) EXPECT_EQ(Query(registry, key, "Value " + std::to_string(i)).data, first.data) << i;
    return round;
}

TEST_F(RegistryTest, WriterKilledAtRandomMomentsLeavesAWholeFile) {
    std::random_device seed;
    const unsigned seedValue = seed();
    SCOPED_TRACE("seed " + std::to_string(seedValue));
    std::mt19937 random(seedValue);
    std::uniform_int_distribution<int> delayUs(0, 30000);
    long lastRound = 0;
    for (int kill = 0; kill < 50; ++kill) {
        QProcess writer;
        writer.start(VESK_REGISTRY_STRESS, {QString::fromStdString(folder_.string())});
        ASSERT_TRUE(writer.waitForReadyRead(10000)) << writer.errorString().toStdString();
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(10000));

        Registry registry(folder_.string());
        ASSERT_FALSE(registry.LoadProblem()) << *registry.LoadProblem();
        const long round = StressRound(registry);
        EXPECT_GE(round, lastRound) << "a kill lost writes that were already flushed";
        lastRound = round;
        if (HasFailure()) return;
    }
    EXPECT_GT(lastRound, 0) << "no kill landed after a write";
}

}  // namespace
