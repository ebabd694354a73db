#include "platform/core/files.h"

#include "platform/core/file_replace.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int16_t kFirstFileNumber = 1;
constexpr int16_t kLastFileNumber = 255;
constexpr int kMaxRecordLength = 32767;

constexpr FileError kBadFileNameOrNumber = 52;
constexpr FileError kFileNotFound = 53;
constexpr FileError kBadFileMode = 54;
constexpr FileError kFileAlreadyOpen = 55;
constexpr FileError kDeviceIoError = 57;
constexpr FileError kBadRecordLength = 59;
constexpr FileError kBadRecordNumber = 63;
constexpr FileError kBadFileName = 64;
constexpr FileError kTooManyFiles = 67;
constexpr FileError kDeviceUnavailable = 68;
constexpr FileError kPathFileAccessError = 75;
constexpr FileError kPathNotFound = 76;

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A missing entry is "not found" when its folder exists and "path not found" otherwise.
FileError ErrorFromErrno(int error, const std::string& path) {
    switch (error) {
    case ENOENT: return IsDirectory(FolderOf(path)) ? kFileNotFound : kPathNotFound;
    case ENOTDIR: return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return kPathFileAccessError;
    case ENAMETOOLONG:
    case EINVAL: return kBadFileName;
    case EMFILE:
    case ENFILE: return kTooManyFiles;
    case ENXIO:
    case ENODEV: return kDeviceUnavailable;
    default: return kDeviceIoError;  // ENOSPC, EDQUOT, EIO and the rest of the device's troubles
    }
}

// Names the system cannot hand to the file system as they are.
bool IsUsableName(std::string_view name) {
    return !name.empty() && name.find('\0') == std::string_view::npos;
}

bool IsFileNumber(int16_t fileNumber) {
    return fileNumber >= kFirstFileNumber && fileNumber <= kLastFileNumber;
}

bool IsWriteDenied(int error) { return error == EACCES || error == EPERM || error == EROFS; }

}  // namespace

class OpenFile {
public:
    OpenFile(int descriptor, OpenMode mode, int recordLength, bool writable, std::string path)
        : descriptor_(descriptor), mode_(mode), recordLength_(recordLength),
          writable_(writable), path_(std::move(path)) {}
    ~OpenFile() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    OpenMode Mode() const { return mode_; }
    int RecordLength() const { return recordLength_; }

    // Bytes past the end of the file stay as the caller left them. 0 or an errno.
    int ReadAt(int64_t offset, std::span<char> bytes) const {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::pread(descriptor_, bytes.data() + done, bytes.size() - done,
                                        static_cast<off_t>(offset + static_cast<int64_t>(done)));
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            done += static_cast<size_t>(got);
        }
        return 0;
    }

    // 0 or an errno; a file opened for reading only is denied.
    int WriteAt(int64_t offset, std::span<const char> bytes) const {
        if (!writable_) return EACCES;
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::pwrite(descriptor_, bytes.data() + done, bytes.size() - done,
                                         static_cast<off_t>(offset + static_cast<int64_t>(done)));
            if (put < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            done += static_cast<size_t>(put);
        }
        return 0;
    }

    int64_t Length() const {
        struct stat info {};
        return ::fstat(descriptor_, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
    }

    int Close() {
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0 ? 0 : errno;
    }

    const std::string& Path() const { return path_; }

private:
    int descriptor_;
    OpenMode mode_;
    int recordLength_;
    bool writable_;
    std::string path_;
};

namespace {

using FileOrError = std::pair<const OpenFile*, FileError>;

FileOrError FileIn(const std::map<int16_t, std::unique_ptr<OpenFile>>& open, int16_t fileNumber,
                   OpenMode mode) {
    const auto found = open.find(fileNumber);
    if (found == open.end()) return {nullptr, kBadFileNameOrNumber};
    if (found->second->Mode() != mode) return {nullptr, kBadFileMode};
    return {found->second.get(), kNoError};
}

// The random file whose records a record of that number and size may be read or written in.
FileOrError RecordFile(const std::map<int16_t, std::unique_ptr<OpenFile>>& open,
                       int16_t fileNumber, int32_t recordNumber, size_t size) {
    const FileOrError found = FileIn(open, fileNumber, OpenMode::Random);
    if (found.second != kNoError) return found;
    if (recordNumber < 1) return {nullptr, kBadRecordNumber};
    if (size > static_cast<size_t>(found.first->RecordLength())) {
        return {nullptr, kBadRecordLength};
    }
    return found;
}

}  // namespace

FileTable::FileTable(std::string currentDirectory)
    : currentDirectory_(std::move(currentDirectory)) {
    // A file-size limit (ulimit -f) would otherwise kill the program halfway through a
    // write; ignored, the write fails with EFBIG and is told like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
}

FileTable::~FileTable() = default;

FileError FileTable::ChDir(std::string_view directory) {
    errorCause_.clear();
    if (!IsUsableName(directory)) return kPathNotFound;
    std::string path = Resolve(directory);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? Failed(errno, path, kPathNotFound) : Failed(errno, path);
    }
    if (!S_ISDIR(info.st_mode)) return kPathNotFound;
    currentDirectory_ = std::move(path);
    return kNoError;
}

const std::string& FileTable::CurDir() const { return currentDirectory_; }

int16_t FileTable::FreeFile() const {
    for (int16_t number = kFirstFileNumber; number <= kLastFileNumber; ++number) {
        if (!open_.contains(number)) return number;
    }
    return 0;
}

FileError FileTable::Open(std::string_view name, OpenMode mode, int16_t fileNumber,
                          int recordLength) {
    errorCause_.clear();
    if (!IsFileNumber(fileNumber)) return kBadFileNameOrNumber;
    if (open_.contains(fileNumber)) return kFileAlreadyOpen;
    if (!IsUsableName(name)) return kBadFileName;
    if (mode == OpenMode::Random && (recordLength < 1 || recordLength > kMaxRecordLength)) {
        return kBadRecordLength;
    }

    std::string path = Resolve(name);
    bool writable = true;
    int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    const int openError = errno;
    // Like the classic runtime, a file that may not be written can still be read.
    if (descriptor < 0 && IsWriteDenied(openError)) {
        descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        writable = false;
    }
    if (descriptor < 0) return Failed(openError, path);

    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(descriptor);
        return Failed(error, path);
    }
    open_.emplace(fileNumber, std::make_unique<OpenFile>(descriptor, mode, recordLength,
                                                         writable, std::move(path)));
    return kNoError;
}

FileError FileTable::Close(int16_t fileNumber) {
    errorCause_.clear();
    const auto found = open_.find(fileNumber);
    if (found == open_.end()) return kBadFileNameOrNumber;
    const std::string path = found->second->Path();
    const int error = found->second->Close();
    open_.erase(found);
    return error == 0 ? kNoError : Failed(error, path);
}

void FileTable::CloseAll() { open_.clear(); }

FileError FileTable::Get(int16_t fileNumber, int32_t recordNumber, std::span<char> record) {
    errorCause_.clear();
    const auto [file, error] = RecordFile(open_, fileNumber, recordNumber, record.size());
    if (error != kNoError) return error;
    std::fill(record.begin(), record.end(), '\0');
    return Failed(file->ReadAt(int64_t{recordNumber - 1} * file->RecordLength(), record), file->Path());
}

FileError FileTable::Put(int16_t fileNumber, int32_t recordNumber,
                         std::span<const char> record) {
    errorCause_.clear();
    const auto [file, error] = RecordFile(open_, fileNumber, recordNumber, record.size());
    if (error != kNoError) return error;
    std::vector<char> whole(static_cast<size_t>(file->RecordLength()), '\0');
    std::copy(record.begin(), record.end(), whole.begin());
    return Failed(file->WriteAt(int64_t{recordNumber - 1} * file->RecordLength(), whole), file->Path());
}

FileError FileTable::PutBytes(int16_t fileNumber, int64_t offset,
                              std::span<const uint8_t> bytes) {
    errorCause_.clear();
    const auto [file, error] = FileIn(open_, fileNumber, OpenMode::Binary);
    if (error != kNoError) return error;
    if (offset < 0) return kBadRecordNumber;
    return Failed(file->WriteAt(offset, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}),
                  file->Path());
}

int64_t FileTable::LOF(int16_t fileNumber) const {
    const auto found = open_.find(fileNumber);
    return found == open_.end() ? -1 : found->second->Length();
}

bool FileTable::Exists(std::string_view name) const { return FileLen(name) >= 0; }

int64_t FileTable::FileLen(std::string_view name) const {
    if (!IsUsableName(name)) return -1;
    struct stat info {};
    if (::stat(Resolve(name).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return -1;
    return static_cast<int64_t>(info.st_size);
}

FileError FileTable::Kill(std::string_view name) {
    errorCause_.clear();
    if (!IsUsableName(name)) return kBadFileName;
    const std::string path = Resolve(name);
    return ::unlink(path.c_str()) == 0 ? kNoError : Failed(errno, path);
}

FileError FileTable::ReplaceFile(std::string_view source, std::string_view target) {
    errorCause_.clear();
    if (!IsUsableName(source) || !IsUsableName(target)) return kBadFileName;
    const std::string to = Resolve(target);
    const int error = RenameOver(Resolve(source), to);
    return error == 0 ? kNoError : Failed(error, to);
}

bool FileTable::IsReadOnly(std::string_view name) const {
    return IsUsableName(name) && IsReadOnlyFile(Resolve(name));
}

FileError FileTable::Failed(int error, const std::string& path, FileError number) {
    if (error == 0) return kNoError;
    const std::string folder = FolderOf(path);
    errorCause_ = error == ENOENT && !IsDirectory(folder) ? "the folder " + folder + " does not exist"
                                                          : std::strerror(error);
    return number != kNoError ? number : ErrorFromErrno(error, path);
}

std::string FileTable::Resolve(std::string_view name) const {
    if (name.starts_with('/') || currentDirectory_.empty()) return std::string(name);
    std::string path = currentDirectory_;
    if (!path.ends_with('/')) path += '/';
    path += name;
    return path;
}
