#pragma once
// Opening data files, with the "File Error" box for the failures a user can act on.

#include <cstdint>
#include <string>

#include "platform/core/files.h"

class Runtime;

namespace Textdatabase {

// What the File Error box's answer asks for.
enum Action : int16_t { kRetry = 0, kIgnore = 1, kGiveUp = 2, kNotListed = 3 };

struct Opened {
    int16_t fileNumber = 0;  // 0: nothing was opened
    FileError lastError = kNoError;
};

// Opens name in mode (Random: records of recordLength bytes). A listed failure shows its
// box; Retry repeats the step that failed.
Opened OpenDataFile(Runtime& runtime, const std::string& name, OpenMode mode,
                    int16_t recordLength);
int16_t FileErrorAction(Runtime& runtime, FileError error);
// The box's text for a listed error; empty when the number is not listed.
std::string FileErrorText(FileError error);
// The last failure of the program's files in words, for a message of its own when the box
// does not list it: "Permission denied (error 75)".
std::string DescribeFailure(Runtime& runtime, FileError error);
// The File Error box of a file that may only be read, which a save keeps as it is: the
// classic text of error 75.
void ReadOnlyFileBox(Runtime& runtime);

}  // namespace Textdatabase
