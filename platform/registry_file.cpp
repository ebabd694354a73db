#include "platform/registry_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/registry_format.h"

namespace {

constexpr int kFlushDelayMs = 250;

// 0 with the file's bytes in text, or the errno that kept it from being read.
int ReadWholeFile(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
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

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t count = ::write(fd, text.data(), text.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        text.remove_prefix(static_cast<size_t>(count));
    }
    return true;
}

// Readers see the old file or the new one, whenever the process or the machine stops.
bool ReplaceFileDurably(const std::string& folder, const std::string& path, std::string_view text) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself lasts once the folder is synced; a folder that cannot be synced
    // still shows the new file, so that is no reason to write again.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
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

}  // namespace

RegistryFile::RegistryFile(std::string settingsFolder, KeyTable& keys)
    : folder_(std::move(settingsFolder)), path_(folder_ + "/registry.txt"), keys_(keys) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);  // a failure shows when writing
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kFlushDelayMs);
    QObject::connect(&flushTimer_, &QTimer::timeout, [this] { Flush(); });
    Load();
}

RegistryFile::~RegistryFile() { Flush(); }

void RegistryFile::Load() {
    std::string text;
    if (const int error = ReadWholeFile(path_, text)) {
        if (error != ENOENT && error != ENOTDIR) KeepAside(std::strerror(error));
        return;
    }
    KeyTable loaded;
    if (const auto problem = ParseRegistryFile(text, loaded)) {
        KeepAside(*problem);
        return;
    }
    loaded.try_emplace("");
    keys_ = std::move(loaded);
}

void RegistryFile::KeepAside(const std::string& reason) {
    const std::string kept = UnusedBrokenName(path_);
    const std::string unread = "The settings file " + path_ + " could not be read (" + reason + ").";
    if (::rename(path_.c_str(), kept.c_str()) == 0) {
        loadProblem_ = unread + " It has been kept as " + kept +
                       " and Vesk Ticker starts with its default settings.";
        return;
    }
    mayWrite_ = false;
    loadProblem_ = unread + " It could not be moved aside either (" + std::strerror(errno) +
                   "), so Vesk Ticker leaves it as it is, starts with its default settings "
                   "and does not save changes to them.";
}

void RegistryFile::Changed() {
    pending_ = true;
    if (mayWrite_ && QCoreApplication::instance() && !flushTimer_.isActive()) flushTimer_.start();
}

void RegistryFile::Flush() {
    flushTimer_.stop();
    if (!pending_ || !mayWrite_) return;
    if (ReplaceFileDurably(folder_, path_, FormatRegistryFile(keys_))) pending_ = false;
}
