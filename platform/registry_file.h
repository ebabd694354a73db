#pragma once
// Keeps a key table in registry.txt: loads it once, and writes it back by atomic
// replacement, coalescing the changes of a burst into one write shortly after it.

#include <QTimer>
#include <optional>
#include <string>

#include "platform/registry_keys.h"

class RegistryFile {
public:
    // Fills keys from the file in settingsFolder; a file that cannot be parsed is moved
    // aside, keys stay as they are and LoadProblem() says what happened.
    RegistryFile(std::string settingsFolder, KeyTable& keys);
    ~RegistryFile();  // writes what is pending
    RegistryFile(const RegistryFile&) = delete;
    RegistryFile& operator=(const RegistryFile&) = delete;

    // Schedules a write (when a Qt application runs; otherwise the next Flush writes).
    void Changed();
    // A folder that cannot be written leaves the changes pending for the next try.
    void Flush();

    const std::optional<std::string>& LoadProblem() const { return loadProblem_; }
    const std::string& Path() const { return path_; }

private:
    void Load();
    void KeepAside(const std::string& reason);

    std::string folder_;
    std::string path_;
    KeyTable& keys_;
    std::optional<std::string> loadProblem_;
    bool pending_ = false;
    bool mayWrite_ = true;  // false when a broken file could not be moved out of the way
    QTimer flushTimer_;
};
