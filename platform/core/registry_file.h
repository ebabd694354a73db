#pragma once
// The settings in registry.txt, shared by every running copy of the program. A change is
// appended to the file under a lock on the settings folder, once the lines other copies
// appended (or the file another copy put in its place) are read, and is in the file when
// the change returns; now and then the file is rewritten with each value once. The file
// read stays open, so that no file put in its place can pass for it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/registry_keys.h"

struct stat;

class RegistryFile {
public:
    using Report = std::function<void(const std::string&)>;

    // Loads the file in settingsFolder. Lines that cannot be read are left out, and the
    // file as it was is kept aside; LoadProblem() says what happened.
    explicit RegistryFile(std::string settingsFolder);
    ~RegistryFile();  // settles
    RegistryFile(const RegistryFile&) = delete;
    RegistryFile& operator=(const RegistryFile&) = delete;

    // The keys as the file holds them now; valid until the next call.
    const KeyTable& Keys();
    // Applies change to the keys and to the file. When it is not in the file (the write
    // failed, which is told once, or another copy holds the lock) it lasts in memory, is
    // tried again with every later change and Flush, and the result is false.
    bool Update(const KeyChange& change);
    // Tries again what is not in the file, and puts what is on the disk.
    void Flush();
    // For the program's end: Flush, and the file rewritten with each value once.
    void Settle();
    // Called when something awaits Flush: written, but not yet on the disk, or not written.
    void WhenFlushDue(std::function<void()> due) { flushDue_ = std::move(due); }
    // Safe in a signal handler: from now on no copy in this process waits for the lock.
    static void AbandonLockWaits();

    // The problems found before ReportTo was called, those of loading the file, one
    // paragraph each.
    const std::optional<std::string>& LoadProblem() const { return loadProblem_; }
    // Where later problems are told: a failed write, the lock held by another copy or not
    // to be had at all, a file broken meanwhile; each kind once.
    void ReportTo(Report report) { report_ = std::move(report); }
    const std::string& Path() const { return path_; }

private:
    enum class Since { Same, Grown, Other };  // how the file stands to the one read
    Since Look() const;
    void Remember(const struct stat& info);
    bool Save();  // takes the lock, catches up with the file, appends what is pending
    bool TakeLock();  // true when the file may be changed: locked, or no lock to be had
    void Sync();
    void Tidy();
    void CatchUp();
    void Load(bool locked);
    void CutUnfinished(std::string_view read, std::string_view finished);
    std::optional<std::string> Append(const std::string& text);
    std::optional<std::string> Rewrite();
    void Unreadable(const std::string& reason, bool keptLines);
    void Tell(const std::string& problem);

    std::string folder_;
    std::string path_;
    int folderFd_ = -1;  // locked while the file is read or changed
    int fd_ = -1;        // the file keys_ came from
    bool present_ = false;  // whether a file was there when last looked at
    uint64_t device_ = 0, inode_ = 0;
    int64_t end_ = 0;  // how much of it keys_ holds
    bool endsLine_ = true;  // whether its last byte ends a line
    int64_t rewrittenSize_ = 0;  // its size when last written whole
    int writeError_ = 0;  // why it could only be opened for reading
    KeyTable keys_;
    std::vector<KeyChange> pending_;  // not in the file yet
    bool memoryAhead_ = false;  // keys_ holds changes that the file does not
    bool mayWrite_ = true;  // false without a folder, or with a broken file left in place
    bool lockBusy_ = false;  // a wait for the lock ran out; only tries until it is had
    bool toldWriteFailure_ = false, toldLockBusy_ = false, toldNoLocks_ = false;
    bool syncPending_ = false;
    std::optional<std::string> loadProblem_;
    Report report_;
    std::function<void()> flushDue_;
};
