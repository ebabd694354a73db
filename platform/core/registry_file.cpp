#include "platform/core/registry_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/core/file_replace.h"
#include "platform/core/registry_format.h"

namespace {

constexpr int kSyncDelayMs = 250;

RegistryFile::Identity IdentityOf(const struct stat& info) {
    return {uint64_t(info.st_dev), uint64_t(info.st_ino), uint64_t(info.st_size),
            int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// All 0 when there is no file to read.
RegistryFile::Identity StatIdentity(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? IdentityOf(info) : RegistryFile::Identity{};
}

// 0 with the file's bytes in text and its identity, or the errno that kept it from being read.
int ReadWholeFile(const std::string& path, std::string& text, RegistryFile::Identity& identity) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat info {};
    if (::fstat(fd, &info) == 0) identity = IdentityOf(info);
    char buffer[16384];
    int error = 0;
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) error = errno;
        if (count <= 0) break;
        text.append(buffer, static_cast<size_t>(count));
    }
    ::close(fd);
    return error;
}

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t count = ::write(fd, text.data(), text.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return errno;
        if (count == 0) return EIO;
        text.remove_prefix(static_cast<size_t>(count));
    }
    return 0;
}

// Every running copy takes this lock before it reads the file to change it, so that no
// change is written over another copy's. A folder that cannot be opened has no file to
// share either, and the write reports what is wrong.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

std::string UtcTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

// A name next to path that no file has yet, so that no earlier broken file is replaced.
std::string UnusedBrokenName(const std::string& path) {
    const std::string base = path + ".broken-" + UtcTimestamp();
    std::string name = base;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(name, error); ++n) name = base + "-" + std::to_string(n);
    return name;
}

std::string Summary(const std::vector<std::string>& problems) {
    std::string text = problems.front();
    if (problems.size() == 2) text += ", and one more line";
    if (problems.size() > 2) text += ", and " + std::to_string(problems.size() - 1) + " more lines";
    return text;
}

}  // namespace

RegistryFile::RegistryFile(std::string settingsFolder)
    : folder_(std::move(settingsFolder)), path_(folder_ + "/registry.txt") {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);  // a failure shows when writing
    syncTimer_.setSingleShot(true);
    syncTimer_.setInterval(kSyncDelayMs);
    QObject::connect(&syncTimer_, &QTimer::timeout, [this] { Flush(); });
    FolderLock lock(folder_);
    Reload();
}

RegistryFile::~RegistryFile() { Flush(); }

const KeyTable& RegistryFile::Keys() {
    if (StatIdentity(path_) != loaded_) {
        FolderLock lock(folder_);
        Reload();
    }
    return keys_;
}

bool RegistryFile::Update(const std::function<bool(KeyTable&)>& change) {
    FolderLock lock(folder_);
    if (StatIdentity(path_) != loaded_) Reload();
    if (!change(keys_)) return true;
    if (!mayWrite_) return false;
    const auto cause = Write();
    if (cause && !toldWriteFailure_) {
        toldWriteFailure_ = true;
        Tell("Vesk Ticker could not save its settings to " + path_ + ": " + *cause +
             ". Changes to them last only until Vesk Ticker closes.");
    }
    return !cause;
}

void RegistryFile::Flush() {
    syncTimer_.stop();
    if (!syncPending_) return;
    syncPending_ = false;
    SyncToDisk(path_);  // the file is in place already; a sync that fails changes nothing
}

void RegistryFile::Reload() {
    std::string text;
    Identity identity;
    keys_ = {{"", {}}};
    loaded_ = {};
    if (const int error = ReadWholeFile(path_, text, identity)) {
        if (error != ENOENT && error != ENOTDIR) KeepAside(std::strerror(error), false);
        loaded_ = StatIdentity(path_);  // what stays there is not read again and again
        return;
    }
    loaded_ = identity;
    const auto problems = ParseRegistryFile(text, keys_);
    if (problems.empty()) return;
    KeepAside(Summary(problems), true);
    if (mayWrite_) Write();
}

std::optional<std::string> RegistryFile::Write() {
    if (IsReadOnlyFile(path_)) return "the file is read-only";
    const std::string temporary = path_ + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return std::strerror(errno);
    int error = WriteAll(fd, FormatRegistryFile(keys_));
    struct stat info {};
    if (error == 0 && ::fstat(fd, &info) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0) error = RenameOver(temporary, path_, Durability::Later);
    if (error != 0) {
        ::unlink(temporary.c_str());
        return std::strerror(error);
    }
    loaded_ = IdentityOf(info);
    syncPending_ = true;
    if (QCoreApplication::instance() && !syncTimer_.isActive()) syncTimer_.start();
    return std::nullopt;
}

void RegistryFile::KeepAside(const std::string& reason, bool keptLines) {
    const std::string kept = UnusedBrokenName(path_);
    const std::string unread = "The settings file " + path_ + " could not be read (" + reason + ").";
    if (::rename(path_.c_str(), kept.c_str()) == 0) {
        Tell(unread + " It has been kept as " + kept +
             (keptLines ? ", and Vesk Ticker goes on with the settings it could read."
                        : ", and Vesk Ticker starts with its default settings."));
        return;
    }
    mayWrite_ = false;
    Tell(unread + " It could not be moved aside either (" + std::strerror(errno) +
         "), so Vesk Ticker leaves it as it is and does not save changes to its settings.");
}

void RegistryFile::Tell(const std::string& problem) {
    if (report_) {
        report_(problem);
    } else if (!loadProblem_) {
        loadProblem_ = problem;
    }
}
