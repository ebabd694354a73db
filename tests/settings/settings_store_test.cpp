#include "platform/core/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/program_fixture.h"

namespace {

using GetString::GetStringValue;
using Registry2::kChartKey;
using Registry2::kMainKey;

class SettingsStoreTest : public ProgramTest {
protected:
    void SetUp() override {
        Start();
        Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, kMainKey);
        Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, kChartKey);
    }
    std::string Read(std::string_view key, std::string_view name) {
        return GetStringValue(runtime(), HKEY_CURRENT_USER, key, name);
    }
};

TEST_F(SettingsStoreTest, FirstReadStoresTheDefaultWithItsZero) {
    EXPECT_EQ(Read(kMainKey, "Interval"), "10");
    StoredValue stored = ReadStored(runtime().registry(), kMainKey, "Interval");
    EXPECT_EQ(stored.type, REG_SZ);
    EXPECT_EQ(stored.bytes, std::string("10\0", 3));
    EXPECT_EQ(Read(kChartKey, "Left"), "0");
    EXPECT_EQ(ReadStored(runtime().registry(), kChartKey, "Left").bytes, std::string("0\0", 2));
}

TEST_F(SettingsStoreTest, EveryValueOfBothKeysHasItsDefault) {
    struct Case {
        std::string_view key, name, value;
    };
    const Case cases[] = {
        {kMainKey, "Left", "0"},           {kMainKey, "Top", "0"},
        {kMainKey, "Height", "Full"},      {kMainKey, "Size", "Standard"},
        {kMainKey, "Interval", "10"},      {kMainKey, "Timeout", "60"},
        {kMainKey, "Always On Top", "True"}, {kMainKey, "Docked", "False"},
        {kChartKey, "Symbol", "IBM"},      {kChartKey, "Chart Type", "1 Year"},
        {kChartKey, "Left", "0"},          {kChartKey, "Top", "0"},
        {kChartKey, "Docked", "False"},    {kChartKey, "StartUp", "False"},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.key, c.name), c.value) << c.name;
}

TEST_F(SettingsStoreTest, WrittenTextIsStoredWithItsZero) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Height", "Full");
    StoredValue stored = ReadStored(runtime().registry(), kMainKey, "Height");
    EXPECT_EQ(stored.bytes, std::string("Full\0", 5));
    EXPECT_EQ(Read(kMainKey, "Height"), "Full");
}

TEST_F(SettingsStoreTest, EmptyStoredTextReadsAsNothingAndKeepsNoDefault) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Interval", "");
    EXPECT_EQ(Read(kMainKey, "Interval"), "");
    EXPECT_EQ(ReadStored(runtime().registry(), kMainKey, "Interval").bytes, std::string(1, '\0'));
}

TEST_F(SettingsStoreTest, NamesWithoutADefaultStoreNothing) {
    EXPECT_EQ(Read(kMainKey, "interval"), "");  // the table's names are compared exactly
    EXPECT_EQ(Read(kMainKey, "Colour"), "");
    EXPECT_EQ(Read(kChartKey, "Interval"), "");
    EXPECT_FALSE(ReadStored(runtime().registry(), kMainKey, "interval").found);
    EXPECT_FALSE(ReadStored(runtime().registry(), kChartKey, "Interval").found);
}

TEST_F(SettingsStoreTest, AMissingKeyReadsAsNothingAndWritesNothing) {
    constexpr std::string_view kOther = "Software\\Vesk Ticker\\Other";
    EXPECT_EQ(Read(kOther, "Interval"), "");
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kOther, "Left", "1");
    HKEY key = 0;
    EXPECT_NE(runtime().registry().RegOpenKeyExA(HKEY_CURRENT_USER, kOther, 0x3F, key),
              ERROR_SUCCESS);
}

TEST_F(SettingsStoreTest, ATooLongValueIsReplacedByItsDefault) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Height", std::string(300, 'x'));
    EXPECT_EQ(Read(kMainKey, "Height"), "Full");
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Height", std::string(254, 'y'));
    EXPECT_EQ(Read(kMainKey, "Height"), std::string(254, 'y'));
}

TEST_F(SettingsStoreTest, NumbersCanBeStoredAsFourBytes) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Count", "42", REG_DWORD);
    StoredValue stored = ReadStored(runtime().registry(), kMainKey, "Count");
    EXPECT_EQ(stored.type, REG_DWORD);
    EXPECT_EQ(stored.bytes, std::string("\x2a\0\0\0", 4));
}

TEST_F(SettingsStoreTest, NumbersThatDoNotConvertReadAsTheirDefaults) {
    struct Case {
        std::string_view key, name, stored;
        double number;
    };
    const Case cases[] = {{kMainKey, "Interval", "5", 5},       {kMainKey, "Interval", "abc", 10},
                          {kMainKey, "Left", "1440.5", 1440.5}, {kChartKey, "Top", "x", 0},
                          {kMainKey, "Count", "y", 0}};
    for (const Case& c : cases) {
        Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, c.key, c.name, c.stored);
        EXPECT_EQ(GetString::GetNumberValue(runtime(), HKEY_CURRENT_USER, c.key, c.name), c.number)
            << c.name << "=" << c.stored;
    }
}

TEST_F(SettingsStoreTest, AnEmptyValueNameEndsTheProgramWithItsMessage) {
    EXPECT_EQ(Read(kMainKey, ""), "");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Your system registry is corrupted. Please reinstall Vesk Ticker.");
    EXPECT_TRUE(desktop.ended);
}

// The settings file may not be written: one message tells so, however many writes fail.
// A store over a settings file of the test's making, whose problems the desktop's boxes tell.
class SettingsProblemTest : public ProgramTest {
protected:
    void StartOverAFile(std::filesystem::perms mode) {
        namespace fs = std::filesystem;
        folder = settingsFolder.path().toStdString() + "/vesk-ticker";
        fs::create_directories(folder);
        file = folder + "/registry.txt";
        std::ofstream(file) << "[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n"
                               "[HKEY_CURRENT_USER\\Software\\Vesk Ticker\\Charts]\n";
        fs::permissions(file, mode);
        Start();
    }
    void MakeReadOnly() const { std::filesystem::permissions(file, kReadOnly); }
    // Turns the event loop until a box is shown; the watchdog only ends a wait for nothing.
    void WaitForABox() {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!desktop.boxes.empty()) loop.quit();
        });
        poll.start(1);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : desktop.boxes) texts.push_back(box.text);
        return texts;
    }
    std::string Told() const {
        return "Vesk Ticker could not save its settings to " + file +
               ": the file is read-only. Changes to them last only until Vesk Ticker closes.";
    }
    std::string ToldHeld() const {
        return "Another running Vesk Ticker holds the settings file " + file +
               " and does not let go of it. Vesk Ticker goes on with the settings it last read and "
               "saves changes to them once the other one lets go.";
    }
    static constexpr auto kReadOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                      std::filesystem::perms::others_read;
    std::string folder;
    std::string file;
};

class UnwritableSettingsTest : public SettingsProblemTest {
protected:
    void SetUp() override { StartOverAFile(kReadOnly); }
};

// Another copy (here the test) holds the settings folder's lock while the program writes.
class ContendedSettingsTest : public SettingsProblemTest {
protected:
    void SetUp() override {
        StartOverAFile(std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        lock = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(lock, 0);
        ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    }
    void TearDown() override { LetGo(); }
    void LetGo() {
        if (lock >= 0) ::close(lock);
        lock = -1;
    }
    int lock = -1;
};

// Problems that come before the first of them is told are each told, in the order they came.
TEST_F(ContendedSettingsTest, ProblemsThatComeTogetherAreEachToldInOrder) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Left", "5");
    MakeReadOnly();
    LetGo();
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Top", "7");
    EXPECT_TRUE(desktop.boxes.empty());
    WaitForABox();
    runtime().DoEvents();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{ToldHeld(), Told()}));
}

// The last write, as the program ends, fails: that is told too, before the program ends.
TEST_F(ContendedSettingsTest, AFinalWriteThatFailsIsToldBeforeTheProgramEnds) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Left", "5");
    MakeReadOnly();
    LetGo();
    runtime().End();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{ToldHeld(), Told()}));
    EXPECT_TRUE(desktop.ended);
}

// The other copy never lets go before the program ends: the changes it held back are lost,
// and the end says so rather than leave the promise to save them standing.
TEST_F(ContendedSettingsTest, AnEndWhileTheLockIsStillHeldTellsThatTheChangesAreLost) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Left", "5");
    runtime().End();
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{
                  ToldHeld(), "Vesk Ticker closes while another running Vesk Ticker still holds the "
                              "settings file " + file + ": its latest changes to the settings are "
                              "not saved."}));
    EXPECT_TRUE(desktop.ended);
}

TEST_F(UnwritableSettingsTest, FailedWritesAreToldOnceOnceTheHandlerReturns) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Interval", "222");
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Left", "5");
    EXPECT_TRUE(desktop.boxes.empty());  // not in the middle of the handler that wrote
    WaitForABox();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, Told());
    EXPECT_EQ(desktop.boxes[0].style, MsgBox::vbExclamation);
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Top", "7");
    runtime().DoEvents();
    EXPECT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(GetStringValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Interval"), "222");
}

TEST_F(UnwritableSettingsTest, AFailedWriteBeforeTheProgramEndsIsToldBeforeItEnds) {
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, kMainKey, "Left", "5");
    runtime().End();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, Told());
    EXPECT_TRUE(desktop.ended);
    runtime().DoEvents();
    EXPECT_EQ(desktop.boxes.size(), 1u);
}

}  // namespace
