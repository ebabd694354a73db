#include "platform/core/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRecordLength = 50;

std::string Record(const std::string& text) {
    std::string record(kRecordLength, ' ');
    record.replace(0, text.size(), text);
    return record;
}

// Permission bits do not stop root; this thread checks files as an ordinary user meanwhile.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (geteuid() == 0) setfsuid(65534);
    }
    ~AsOrdinaryUser() {
        if (geteuid() == 0) setfsuid(0);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
};

class FilesTest : public ::testing::Test {
protected:
    FilesTest() : files_(folder_.path().toStdString()) {}
    ~FilesTest() override { chmod(folder_.path().toStdString().c_str(), 0700); }

    std::string PathOf(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }

    void WriteFile(const std::string& name, const std::string& content) const {
        std::ofstream(PathOf(name), std::ios::binary) << content;
    }

    std::string ReadFile(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::string GetRecord(int16_t number, int32_t record) {
        std::string buffer(kRecordLength, 'x');
        EXPECT_EQ(files_.Get(number, record, buffer), kNoError);
        return buffer;
    }

    QTemporaryDir folder_;
    FileTable files_;
};

TEST_F(FilesTest, RecordsWrittenUnderOneNumberAreReadUnderAnother) {
    ASSERT_EQ(files_.Open("stockdata.std", OpenMode::Random, 1, kRecordLength), kNoError);
    ASSERT_EQ(files_.Open("stockdata.std", OpenMode::Random, 2, kRecordLength), kNoError);
    for (int32_t n = 1; n <= 3; ++n) {
        ASSERT_EQ(files_.Put(1, n, Record("SYM" + std::to_string(n))), kNoError);
    }
    EXPECT_EQ(files_.LOF(2), 3 * kRecordLength);
    EXPECT_EQ(GetRecord(2, 2), Record("SYM2"));
    EXPECT_EQ(ReadFile("stockdata.std").substr(100), Record("SYM3"));
}

TEST_F(FilesTest, ShortRecordIsPaddedWithZeroBytesAndLongOneRefused) {
    ASSERT_EQ(files_.Open("stockdata.std", OpenMode::Random, 1, kRecordLength), kNoError);
    ASSERT_EQ(files_.Put(1, 2, std::string("IBM")), kNoError);
    EXPECT_EQ(ReadFile("stockdata.std"), std::string(50, '\0') + "IBM" + std::string(47, '\0'));
    EXPECT_EQ(files_.Put(1, 1, std::string(51, 'A')), 59);
    std::string tooLong(51, ' ');
    EXPECT_EQ(files_.Get(1, 1, tooLong), 59);
}

TEST_F(FilesTest, OnlyWholeRecordsCountAndReadingPastTheEndGivesZeroBytes) {
    struct Case {
        size_t size;
        int32_t pastTheEnd;  // the first record not wholly in the file
    };
    for (const Case c : {Case{100, 3}, Case{149, 3}, Case{0, 1}}) {
        std::string content;
        for (size_t i = 0; i < c.size; ++i) content += static_cast<char>('A' + i / kRecordLength);
        WriteFile("stockdata.std", content);
        ASSERT_EQ(files_.Open("stockdata.std", OpenMode::Random, 1, kRecordLength), kNoError);
        EXPECT_EQ(files_.LOF(1) / kRecordLength, c.pastTheEnd - 1) << c.size;
        if (c.size > 0) {
            EXPECT_EQ(GetRecord(1, 2), std::string(50, 'B')) << c.size;
        }
        const std::string tail = content.substr(std::min(content.size(), size_t{100}));
        EXPECT_EQ(GetRecord(1, c.pastTheEnd), tail + std::string(50 - tail.size(), '\0'))
            << c.size;
        files_.CloseAll();
    }
}

TEST_F(FilesTest, MissingFileInRandomModeIsCreatedEmpty) {
    ASSERT_EQ(files_.Open("stockdata.std", OpenMode::Random, 1, kRecordLength), kNoError);
    EXPECT_TRUE(files_.Exists("stockdata.std"));
    EXPECT_EQ(files_.FileLen("stockdata.std"), 0);
    EXPECT_EQ(files_.LOF(1), 0);
}

TEST_F(FilesTest, FreeFileGivesTheLowestNumberNotOpen) {
    EXPECT_EQ(files_.FreeFile(), 1);
    for (int16_t n = 1; n <= 3; ++n) {
        ASSERT_EQ(files_.Open("f", OpenMode::Random, n, 10), kNoError);
    }
    EXPECT_EQ(files_.FreeFile(), 4);
    EXPECT_EQ(files_.Close(2), kNoError);
    EXPECT_EQ(files_.FreeFile(), 2);
    files_.CloseAll();
    EXPECT_EQ(files_.FreeFile(), 1);
    EXPECT_EQ(files_.LOF(3), -1);
}

TEST_F(FilesTest, EveryNumberTakenLeavesNoFreeFile) {
    for (int16_t n = 1; n <= 255; ++n) {
        ASSERT_EQ(files_.Open("f", OpenMode::Random, n, 10), kNoError);
    }
    EXPECT_EQ(files_.FreeFile(), 0);
}

TEST_F(FilesTest, FailuresGiveTheClassicErrorNumbers) {
    WriteFile("data", "0123456789");
    ASSERT_EQ(files_.Open("data", OpenMode::Random, 1, 10), kNoError);
    ASSERT_EQ(files_.Open("data", OpenMode::Binary, 2, 0), kNoError);
    ASSERT_EQ(mkdir(PathOf("folder").c_str(), 0755), 0);
    std::string record(10, ' ');
    const uint8_t byte = 0;
    const auto open = [&](std::string_view name, OpenMode mode, int recordLength) {
        return files_.Open(name, mode, 3, recordLength);
    };

    struct Case {
        const char* what;
        std::function<FileError()> call;
        FileError expected;
    };
    const Case cases[] = {
        {"random in a missing folder", [&] { return open("no/f", OpenMode::Random, 50); }, 76},
        {"binary under a file", [&] { return open("data/f", OpenMode::Binary, 0); }, 76},
        {"random on a folder", [&] { return open("folder", OpenMode::Random, 50); }, 75},
        {"binary on a folder", [&] { return open("folder", OpenMode::Binary, 0); }, 75},
        {"empty name", [&] { return open("", OpenMode::Random, 50); }, 64},
        {"name too long", [&] { return open(std::string(300, 'n'), OpenMode::Binary, 0); }, 64},
        {"number 0", [&] { return files_.Open("f", OpenMode::Random, 0, 50); }, 52},
        {"number 256", [&] { return files_.Open("f", OpenMode::Random, 256, 50); }, 52},
        {"number in use", [&] { return files_.Open("other", OpenMode::Random, 1, 50); }, 55},
        {"record length 0", [&] { return open("f", OpenMode::Random, 0); }, 59},
        {"get unopened", [&] { return files_.Get(9, 1, record); }, 52},
        {"put unopened", [&] { return files_.Put(9, 1, record); }, 52},
        {"close unopened", [&] { return files_.Close(9); }, 52},
        {"get record 0", [&] { return files_.Get(1, 0, record); }, 63},
        {"put record -1", [&] { return files_.Put(1, -1, record); }, 63},
        {"get in binary mode", [&] { return files_.Get(2, 1, record); }, 54},
        {"bytes in random mode", [&] { return files_.PutBytes(1, 0, {&byte, 1}); }, 54},
        {"bytes before the start", [&] { return files_.PutBytes(2, -1, {&byte, 1}); }, 63},
        {"kill a missing file", [&] { return files_.Kill("none"); }, 53},
        {"kill in a missing folder", [&] { return files_.Kill("no/f"); }, 76},
        {"chdir to a missing folder", [&] { return files_.ChDir("no"); }, 76},
        {"replace from a missing file", [&] { return files_.ReplaceFile("none", "data"); }, 53},
    };
    for (const Case& c : cases) EXPECT_EQ(c.call(), c.expected) << c.what;
    EXPECT_EQ(files_.CurDir(), folder_.path().toStdString());
    EXPECT_EQ(ReadFile("data"), "0123456789");  // least of all the failed replace
}

TEST_F(FilesTest, ReadOnlyFileOpensInRandomModeForReadingOnly) {
    WriteFile("stockdata.std", Record("IBM"));
    ASSERT_EQ(chmod(PathOf("stockdata.std").c_str(), 0444), 0);
    ASSERT_EQ(chmod(folder_.path().toStdString().c_str(), 0755), 0);
    AsOrdinaryUser ordinary;
    ASSERT_EQ(files_.Open("stockdata.std", OpenMode::Random, 1, kRecordLength), kNoError);
    EXPECT_EQ(GetRecord(1, 1), Record("IBM"));
    EXPECT_EQ(files_.Put(1, 1, Record("MSFT")), 75);
}

TEST_F(FilesTest, NothingCanBeCreatedInAReadOnlyFolder) {
    ASSERT_EQ(chmod(folder_.path().toStdString().c_str(), 0555), 0);
    AsOrdinaryUser ordinary;
    EXPECT_EQ(files_.Open("stockdata.std", OpenMode::Random, 1, kRecordLength), 75);
    EXPECT_EQ(files_.Open("chart.gif", OpenMode::Binary, 1, 0), 75);
    EXPECT_FALSE(files_.Exists("stockdata.std"));
}

TEST_F(FilesTest, BytesWrittenInBinaryModeReachTheFileAsTheyAre) {
    const std::vector<uint8_t> bytes = {'G', 'I', 'F', 0, 0xFF, '\n', '\r'};
    ASSERT_EQ(files_.Open("chart.gif", OpenMode::Binary, 1, 0), kNoError);
    ASSERT_EQ(files_.PutBytes(1, 0, bytes), kNoError);
    EXPECT_EQ(ReadFile("chart.gif"), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(files_.LOF(1), 7);
}

TEST_F(FilesTest, KillRemovesTheFile) {
    WriteFile("stockdata.std", Record("IBM"));
    EXPECT_EQ(files_.Kill("stockdata.std"), kNoError);
    EXPECT_FALSE(files_.Exists("stockdata.std"));
    EXPECT_EQ(files_.FileLen("stockdata.std"), -1);
}

TEST_F(FilesTest, ReplaceFilePutsTheNewContentInPlaceWithTheOldMode) {
    WriteFile("stockdata.std", Record("OLD"));
    ASSERT_EQ(chmod(PathOf("stockdata.std").c_str(), 0640), 0);
    WriteFile("stockdata.new", Record("NEW"));
    EXPECT_EQ(files_.ReplaceFile("stockdata.new", "stockdata.std"), kNoError);
    EXPECT_EQ(ReadFile("stockdata.std"), Record("NEW"));
    EXPECT_FALSE(files_.Exists("stockdata.new"));
    struct stat info {};
    ASSERT_EQ(stat(PathOf("stockdata.std").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FilesTest, NamesResolveAgainstTheCurrentDirectory) {
    ASSERT_EQ(mkdir(PathOf("program").c_str(), 0755), 0);
    WriteFile("program/stockdata.std", Record("IBM"));
    ASSERT_EQ(files_.ChDir("program"), kNoError);
    EXPECT_EQ(files_.CurDir(), PathOf("program"));
    EXPECT_EQ(files_.Resolve("chart.gif"), PathOf("program/chart.gif"));
    EXPECT_EQ(files_.Resolve("/tmp/x"), "/tmp/x");
    EXPECT_EQ(files_.FileLen("stockdata.std"), 50);
    EXPECT_TRUE(files_.Exists(PathOf("program/stockdata.std")));
    EXPECT_FALSE(files_.Exists("program"));
}

}  // namespace
