#pragma once
// The program's file numbers and its files on disk, with failures as the classic run-time
// error numbers (52 bad file name or number, 53 not found, 54 bad mode, 55 already open,
// 57 device I/O error, 59 bad record length, 63 bad record number, 64 bad file name,
// 67 too many files, 68 device unavailable, 75 path/file access error, 76 path not found).

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Both open for reading and writing and create a missing file.
enum class OpenMode { Random, Binary };

using FileError = int;  // 0 when the operation succeeded
constexpr FileError kNoError = 0;

class OpenFile;

class FileTable {
public:
    // Relative names resolve against currentDirectory, which ChDir changes.
    explicit FileTable(std::string currentDirectory);
    ~FileTable();
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;

    // 76 when the folder does not exist; the current directory then stays as it was.
    FileError ChDir(std::string_view directory);
    const std::string& CurDir() const;

    // The lowest file number (1 ... 255) that is not open; 0 when all are taken.
    int16_t FreeFile() const;
    // A file that may only be read is opened read-only, so that it can still be read.
    FileError Open(std::string_view name, OpenMode mode, int16_t fileNumber, int recordLength);
    FileError Close(int16_t fileNumber);
    void CloseAll();

    // Random mode only (else 54). Records count from 1; a record may be shorter than the
    // record length (a short Put is padded with zero bytes), never longer (59).
    // A short or missing record reads as zero bytes.
    FileError Get(int16_t fileNumber, int32_t recordNumber, std::span<char> record);
    // The record reaches the file before Put returns.
    FileError Put(int16_t fileNumber, int32_t recordNumber, std::span<const char> record);
    // Binary mode only (else 54), at a byte offset from 0; the bytes reach the file before
    // PutBytes returns.
    FileError PutBytes(int16_t fileNumber, int64_t offset, std::span<const uint8_t> bytes);
    // Length of an open file in bytes, or -1 when the number is not open.
    int64_t LOF(int16_t fileNumber) const;

    bool Exists(std::string_view name) const;
    // Length in bytes, or -1 when the file does not exist.
    int64_t FileLen(std::string_view name) const;
    FileError Kill(std::string_view name);
    // Makes the file's content durable, then renames it over target in one step; source
    // takes target's mode.
    FileError ReplaceFile(std::string_view source, std::string_view target);
    // A file without any write bit, which is kept as it is whoever runs.
    bool IsReadOnly(std::string_view name) const;
    // The system's words for what made the last failed operation fail ("Permission
    // denied"); empty when the failure had no such cause.
    const std::string& ErrorCause() const { return errorCause_; }

    std::string Resolve(std::string_view name) const;

private:
    // Keeps the cause of error and gives its number (or ErrorFromErrno's); 0 gives 0.
    FileError Failed(int error, const std::string& path, FileError number = kNoError);

    std::string currentDirectory_;
    std::string errorCause_;
    std::map<int16_t, std::unique_ptr<OpenFile>> open_;
};
