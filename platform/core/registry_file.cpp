#include "platform/core/registry_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <thread>

#include "platform/core/ascii_case.h"
#include "platform/core/file_replace.h"
#include "platform/core/registry_format.h"

namespace {

constexpr int64_t kMaxFileSize = 16 << 20;  // far above any settings file; stops /dev/zero
constexpr const char* kTooLarge = "it is larger than 16 MiB";
constexpr int64_t kAppendedLimit = 16 << 10;  // appended beyond this, the file is rewritten
constexpr auto kLockWait = std::chrono::milliseconds(1500);
constexpr auto kLockPoll = std::chrono::microseconds(200);
constexpr int kMaxLinkHops = 40;  // as many as the kernel follows

std::atomic<bool> lockWaitsAbandoned{false};
static_assert(std::atomic<bool>::is_always_lock_free);

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

// 0 with the bytes from offset to the end in text, or an errno: EFBIG for a file that reaches
// past kMaxFileSize, which is not read further.
int ReadFrom(int fd, int64_t offset, std::string& text) {
    char buffer[16384];
    for (;;) {
        if (offset > kMaxFileSize) return EFBIG;
        const ssize_t count = ::pread(fd, buffer, sizeof buffer, offset);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return errno;
        if (count == 0) return 0;
        text.append(buffer, static_cast<size_t>(count));
        offset += count;
    }
}

// The file a write replaces: path itself, or the regular file its links lead to, so that the
// links stay and their target gets the change. A link that leads nowhere leads to the file
// a write creates: its target moved aside as broken, say.
std::string Target(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) return hop > 0 && errno == ENOENT ? current : path;
        if (!S_ISLNK(info.st_mode)) return S_ISREG(info.st_mode) ? current : path;
        char text[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), text, sizeof text);
        if (length <= 0 || length == ssize_t(sizeof text)) return path;
        const std::string next(text, size_t(length));
        current = next.front() == '/' ? next : FolderOf(current) + "/" + next;
    }
    return path;
}

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

bool SameTarget(const KeyChange& a, const KeyChange& b) {
    return a.value.has_value() == b.value.has_value() && EqualsIgnoringAsciiCase(a.key, b.key) &&
           EqualsIgnoringAsciiCase(a.name, b.name);
}

// Holds the folder's lock, where it has one, from a successful take to the end of the scope.
class HeldLock {
public:
    HeldLock(int fd, bool held) : fd_(held ? fd : -1) {}
    ~HeldLock() {
        if (fd_ >= 0) ::flock(fd_, LOCK_UN);
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

}  // namespace

void RegistryFile::AbandonLockWaits() { lockWaitsAbandoned = true; }

RegistryFile::RegistryFile(std::string settingsFolder)
    : folder_(std::move(settingsFolder)), path_(folder_ + "/registry.txt") {
    if (folder_.empty()) {
        mayWrite_ = false;
        Tell("Vesk Ticker found no home folder to keep its settings in: HOME is not set, and the "
             "password database knows no home for this user. Changes to the settings last only "
             "until Vesk Ticker closes.");
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    folderFd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) {
        mayWrite_ = false;
        Tell("The settings folder " + folder_ + " could not be created (" +
             std::strerror(error ? error.value() : errno) +
             "). Changes to the settings last only until Vesk Ticker closes.");
        return;
    }
    const HeldLock lock(folderFd_, TakeLock());
    Load(bool(lock));
}

RegistryFile::~RegistryFile() {
    Settle();
    if (fd_ >= 0) ::close(fd_);
    if (folderFd_ >= 0) ::close(folderFd_);
}

const KeyTable& RegistryFile::Keys() {
    if (!pending_.empty() || Look() != Since::Same) Save();
    return keys_;
}

bool RegistryFile::Update(const KeyChange& change) {
    const auto same = std::find_if(pending_.begin(), pending_.end(),
                                   [&](const KeyChange& other) { return SameTarget(other, change); });
    if (same == pending_.end()) {
        pending_.push_back(change);
    } else {
        *same = change;
    }
    if (Save()) return true;
    Apply(keys_, change);
    memoryAhead_ = true;
    return false;
}

void RegistryFile::Flush() {
    if (!pending_.empty()) Save();
    Sync();
}

void RegistryFile::Settle() {
    if (!pending_.empty()) Save();
    // The wait's message promised these would be saved once the other copy lets go; the end
    // cannot wait for that.
    if (!pending_.empty() && lockBusy_)
        Tell("Vesk Ticker closes while another running Vesk Ticker still holds the settings file " +
             path_ + ": its latest changes to the settings are not saved.");
    Tidy();
    Sync();
}

void RegistryFile::Sync() {
    if (!syncPending_ || fd_ < 0) return;
    syncPending_ = false;
    SyncToDisk(Target(path_));  // the file is in place already; a sync that fails changes nothing
}

// The file a user may read or edit once the program is closed holds each value once, not
// the lines this run appended.
void RegistryFile::Tidy() {
    if (!mayWrite_ || memoryAhead_ || writeError_ != 0 || fd_ < 0 || end_ == rewrittenSize_) return;
    const HeldLock lock(folderFd_, TakeLock());
    if (!lock) return;
    CatchUp();
    if (fd_ >= 0 && end_ != rewrittenSize_) Rewrite();
}

RegistryFile::Since RegistryFile::Look() const {
    struct stat info {};
    const bool present = ::stat(path_.c_str(), &info) == 0;
    if (present != present_) return Since::Other;
    if (!present) return Since::Same;
    if (uint64_t(info.st_dev) != device_ || uint64_t(info.st_ino) != inode_ || info.st_size < end_)
        return Since::Other;
    if (info.st_size == end_) return Since::Same;
    // Too large to read: loaded anew, it is refused as such a file found at the start is.
    return info.st_size > kMaxFileSize ? Since::Other : Since::Grown;
}

void RegistryFile::Remember(const struct stat& info) {
    present_ = true;
    device_ = uint64_t(info.st_dev);
    inode_ = uint64_t(info.st_ino);
}

bool RegistryFile::Save() {
    if (!mayWrite_) return pending_.empty();
    const HeldLock lock(folderFd_, TakeLock());
    if (!lock) {
        if (!pending_.empty() && flushDue_) flushDue_();  // to be tried again
        return pending_.empty();
    }
    if (memoryAhead_) {
        Load(true);  // the file as it is, under what is pending
    } else {
        CatchUp();
    }
    std::string text;
    for (const KeyChange& change : pending_) {
        if (!Apply(keys_, change)) continue;
        // Written with the case the key and the name were first stored with.
        const auto key = keys_.find(change.key);
        text += FormatChange({key->first, change.value ? key->second.find(change.name)->first : "",
                              change.value});
    }
    if (!text.empty()) {
        const auto cause = mayWrite_ ? Append(text) : std::nullopt;
        if (!mayWrite_ || cause) {
            memoryAhead_ = true;
            if (cause && !toldWriteFailure_) {
                toldWriteFailure_ = true;
                Tell("Vesk Ticker could not save its settings to " + path_ + ": " + *cause +
                     ". Changes to them last only until Vesk Ticker closes.");
            }
            return false;
        }
    }
    pending_.clear();
    memoryAhead_ = false;
    return true;
}

// Waits for the lock for a while, unless a wait ran out before (then it only tries until
// the lock is had again) or the program is quitting. A folder that cannot be locked at all
// (a network share without lock service) is written all the same: the file is still read
// before each write, and without the settings saved the run would lose them all.
bool RegistryFile::TakeLock() {
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        if (::flock(folderFd_, LOCK_EX | LOCK_NB) == 0) {
            lockBusy_ = false;
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            if (!toldNoLocks_) {
                toldNoLocks_ = true;
                Tell("Vesk Ticker cannot lock its settings folder " + folder_ + " (" + std::strerror(errno) +
                     "). It saves its settings without the lock, so two Vesk Tickers running at once may "
                     "undo each other's changes.");
            }
            return true;
        }
        if (lockBusy_ || lockWaitsAbandoned) return false;
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kLockPoll);
    }
    lockBusy_ = true;
    if (!toldLockBusy_) {
        toldLockBusy_ = true;
        Tell("Another running Vesk Ticker holds the settings file " + path_ +
             " and does not let go of it. Vesk Ticker goes on with the settings it last read "
             "and saves changes to them once the other one lets go.");
    }
    return false;
}

void RegistryFile::CatchUp() {
    const Since since = Look();
    if (since == Since::Same) return;
    std::string tail;  // lines another copy appended, each change with its section
    if (since == Since::Grown && ReadFrom(fd_, end_, tail) == 0) {
        const std::string_view finished = WithoutCutLastLine(tail);
        if (ParseRegistryFile(finished, keys_).empty()) {
            end_ += int64_t(tail.size());
            CutUnfinished(tail, finished);
            return;
        }
    }
    Load(true);
}

void RegistryFile::Load(bool locked) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    keys_.clear();
    present_ = false;
    end_ = 0;
    writeError_ = 0;
    int fd = ::open(path_.c_str(), O_RDWR | O_APPEND | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        writeError_ = errno;
        fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) {
        const int error = errno;
        if (locked && error != ENOENT && error != ENOTDIR) Unreadable(std::strerror(error), false);
        return;
    }
    struct stat info {};
    std::string text;
    int error = ::fstat(fd, &info) != 0 ? errno : 0;
    const char* refusal = nullptr;
    if (error == 0 && !S_ISREG(info.st_mode)) refusal = "it is not a regular file";
    if (error == 0 && info.st_size > kMaxFileSize) refusal = kTooLarge;
    if (error == 0 && !refusal) error = ReadFrom(fd, 0, text);
    if (error == EFBIG) refusal = kTooLarge;  // it grew while it was read
    if (error != 0 || refusal) {
        ::close(fd);
        if (locked) Unreadable(refusal ? refusal : std::strerror(error), false);
        return;
    }
    fd_ = fd;
    Remember(info);
    end_ = rewrittenSize_ = int64_t(text.size());
    const std::string_view finished = WithoutCutLastLine(text);
    const auto problems = ParseRegistryFile(finished, keys_);
    endsLine_ = text.empty() || text.back() == '\n';
    if (!locked) return;
    CutUnfinished(text, finished);
    if (!problems.empty()) {
        Unreadable(Summary(problems), true);
        if (mayWrite_) Rewrite();
    } else if (end_ > kAppendedLimit && mayWrite_ && writeError_ == 0) {
        rewrittenSize_ = int64_t(FormatRegistryFile(keys_).size());
        if (end_ > rewrittenSize_ + kAppendedLimit) Rewrite();
    }
}

// Drops what follows finished at the end of read, the file's last bytes: a line that a
// killed copy left unfinished, so that the next change starts a line of its own. The lock is
// held.
void RegistryFile::CutUnfinished(std::string_view read, std::string_view finished) {
    const auto bytes = int64_t(read.size() - finished.size());
    if (bytes > 0 && writeError_ == 0 && !IsReadOnlyFile(path_) && ::ftruncate(fd_, end_ - bytes) == 0) {
        end_ -= bytes;
        read = finished;
    }
    if (!read.empty()) endsLine_ = read.back() == '\n';
}

std::optional<std::string> RegistryFile::Append(const std::string& text) {
    if (fd_ < 0) return Rewrite();
    if (IsReadOnlyFile(path_)) return "the file is read-only";
    if (writeError_ != 0) return std::strerror(writeError_);
    const std::string lines = endsLine_ ? text : '\n' + text;
    // Lines that would outgrow the rest go into the file written afresh instead, which holds
    // them already: a rewrite that fails then stops the file short of what a start reads.
    const int64_t room = std::min(rewrittenSize_ + kAppendedLimit, kMaxFileSize) - end_;
    if (int64_t(lines.size()) > room) return Rewrite();
    if (const int error = WriteAll(fd_, lines)) {
        // A line cut short would break the file for every copy; the lock keeps end_ its end.
        [[maybe_unused]] const int cut = ::ftruncate(fd_, end_);
        return std::strerror(error);
    }
    end_ += int64_t(lines.size());
    endsLine_ = true;
    syncPending_ = true;
    if (flushDue_) flushDue_();
    return std::nullopt;
}

std::optional<std::string> RegistryFile::Rewrite() {
    if (IsReadOnlyFile(path_)) return "the file is read-only";
    const std::string target = Target(path_);
    const std::string temporary = target + ".new";
    // What a crash or a user left under that name is neither written through nor kept.
    const int removal = ::remove(temporary.c_str()) == 0 ? 0 : errno;
    const int fd =
        ::open(temporary.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = removal != 0 && removal != ENOENT ? removal : errno;
        return temporary + " cannot be made (" + std::strerror(error) + ")";
    }
    const std::string text = FormatRegistryFile(keys_);
    // A file that the next start would refuse as too large is not written at all.
    int error = int64_t(text.size()) > kMaxFileSize ? EFBIG : WriteAll(fd, text);
    struct stat info {};
    if (error == 0 && ::fstat(fd, &info) != 0) error = errno;
    if (error == 0) error = RenameOver(temporary, target);
    if (error != 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return std::strerror(error);
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    Remember(info);
    end_ = rewrittenSize_ = int64_t(text.size());
    endsLine_ = true;
    writeError_ = 0;
    syncPending_ = false;  // the rename put it on the disk with what was appended before
    return std::nullopt;
}

void RegistryFile::Unreadable(const std::string& reason, bool keptLines) {
    const std::string target = Target(path_);
    const std::string kept = UnusedBrokenName(target);
    const std::string unread = "The settings file " + path_ + " could not be read (" + reason + ").";
    if (::rename(target.c_str(), kept.c_str()) == 0) {
        Tell(unread + " It has been kept as " + kept +
             (keptLines ? ", and Vesk Ticker goes on with the settings it could read."
                        : ", and Vesk Ticker starts with its default settings."));
        return;
    }
    mayWrite_ = false;
    Tell(unread + " It could not be moved aside either (" + std::strerror(errno) +
         "), so Vesk Ticker leaves it as it is and does not save changes to its settings.");
    // What stays there is not read again and again.
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) return;
    Remember(info);
    end_ = info.st_size;
}

void RegistryFile::Tell(const std::string& problem) {
    if (report_) {
        report_(problem);
    } else {
        loadProblem_ = loadProblem_ ? *loadProblem_ + "\n\n" + problem : problem;
    }
}
