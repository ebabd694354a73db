#pragma once
// Replacing a file on disk in one step, shared by the file table and the settings store.

#include <string>

// The folder that holds path: "." for a bare name, "/" for an entry of the root.
std::string FolderOf(const std::string& path);

// A file without any write bit is kept as it is, as the classic read-only attribute keeps
// it, whoever runs. False for a missing file.
bool IsReadOnlyFile(const std::string& path);

// Renames source over target, so that a reader, or a power cut, leaves the whole old file or
// the whole new one; source takes an existing target's mode. source's content is on the disk
// before the rename and the rename after it. 0, or the errno of the step that failed.
int RenameOver(const std::string& source, const std::string& target);

// Puts path's content and its folder's entry on the disk; 0 or an errno.
int SyncToDisk(const std::string& path);
