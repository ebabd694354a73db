#pragma once
// The settings in registry.txt, shared by every running copy of the program. Each change is
// merged into the file as it is on disk at that moment, under a lock on the settings folder,
// and is in the file before the change returns; a read first looks whether another copy
// replaced the file since. Only the syncing to the disk is coalesced.

#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/core/registry_keys.h"

class RegistryFile {
public:
    using Report = std::function<void(const std::string&)>;

    // Loads the file in settingsFolder. Lines that cannot be read are left out, and the
    // file as it was is kept aside; LoadProblem() says what happened.
    explicit RegistryFile(std::string settingsFolder);
    ~RegistryFile();  // puts what was written on the disk
    RegistryFile(const RegistryFile&) = delete;
    RegistryFile& operator=(const RegistryFile&) = delete;

    // The keys as the file holds them now; valid until the next call.
    const KeyTable& Keys();
    // The keys as last loaded or written, without looking at the file.
    const KeyTable& LastKnownKeys() const { return keys_; }
    // Applies change to the file's keys as they are on disk and writes them back. change
    // returns whether it changed anything. When the write fails the change stays in memory
    // for this run, the first such failure is reported, and the result is false.
    bool Update(const std::function<bool(KeyTable&)>& change);
    // Puts what was written on the disk now, instead of shortly after.
    void Flush();

    // The first problem found before ReportTo was called: one of loading the file.
    const std::optional<std::string>& LoadProblem() const { return loadProblem_; }
    // Where later problems are told: a failed write (once per run), a file broken meanwhile.
    void ReportTo(Report report) { report_ = std::move(report); }
    const std::string& Path() const { return path_; }

    // What tells one version of the file from another: a replaced file is a new inode.
    struct Identity {
        uint64_t device = 0, inode = 0, size = 0;
        int64_t modifiedNs = 0;
        bool operator==(const Identity&) const = default;
    };

private:
    void Reload();  // with the lock held
    std::optional<std::string> Write();  // with the lock held; the cause when it fails
    void KeepAside(const std::string& reason, bool keptLines);
    void Tell(const std::string& problem);

    std::string folder_;
    std::string path_;
    KeyTable keys_{{"", {}}};
    Identity loaded_;  // of the file keys_ came from or went to; all 0 for no file
    std::optional<std::string> loadProblem_;
    Report report_;
    bool mayWrite_ = true;  // false when a broken file could not be moved out of the way
    bool toldWriteFailure_ = false;
    bool syncPending_ = false;
    QTimer syncTimer_;
};
