#include "settings/textdatabase.h"

#include "platform/runtime.h"

namespace Textdatabase {

namespace {

constexpr FileError kBadFileName = 64;
constexpr FileError kTooManyFiles = 67;
constexpr FileError kDeviceUnavailable = 68;

// Any of ; < = > ? [ * ] or a space makes a name illegal.
bool IsLegalName(const std::string& name) {
    return name.find_first_of(";<=>?[*] ") == std::string::npos;
}

}  // namespace

std::string FileErrorText(FileError error) {
    switch (error) {
        case 52:
        case 64: return "That filename is illegal.";
        case 54: return "Can't open your file for that type of access.";
        case 55: return "That file is already open.";
        case 57: return "The disk is full.";
        case 62:
            return std::string("This file has a nonstandard end-of-file marker,") +
                   "or an attempt was made to read beyond " + "the end-of-file marker.";
        case 68: return "That device appears to be unavailable.";
        case 71: return "The disk is not ready.";
        case 76: return "That path doesn't exist.";
        default: return {};
    }
}

std::string DescribeFailure(Runtime& runtime, FileError error) {
    const std::string& cause = runtime.files().ErrorCause();
    const std::string number = "error " + std::to_string(error);
    return cause.empty() ? number : cause + " (" + number + ")";
}

namespace {
int FileErrorBox(Runtime& runtime, const std::string& text, int buttons) {
    return runtime.MsgBox(text, buttons + MsgBox::vbExclamation, "File Error");
}
}  // namespace

void ReadOnlyFileBox(Runtime& runtime) {
    FileErrorBox(runtime, "Path/File access error", MsgBox::vbOKOnly);
}

int16_t FileErrorAction(Runtime& runtime, FileError error) {
    std::string text = FileErrorText(error);
    if (text.empty()) return kNotListed;
    int buttons = error == kDeviceUnavailable ? MsgBox::vbRetryCancel : MsgBox::vbOKOnly;
    switch (FileErrorBox(runtime, text, buttons)) {
        case MsgBox::vbOK:
        case MsgBox::vbCancel:
        case MsgBox::vbAbort: return kGiveUp;
        case MsgBox::vbRetry: return kRetry;
        case MsgBox::vbIgnore: return kIgnore;
        default: return kNotListed;
    }
}

Opened OpenDataFile(Runtime& runtime, const std::string& name, OpenMode mode,
                    int16_t recordLength) {
    FileTable& files = runtime.files();
    // Each step that fails goes to the File Error box; only Retry runs it again.
    auto failed = [&](FileError error, Opened& result) {
        result.lastError = error;
        return FileErrorAction(runtime, error) != kRetry;
    };
    Opened result;
    while (!IsLegalName(name))
        if (failed(kBadFileName, result)) return result;

    for (;;) {
        int16_t number = files.FreeFile();
        FileError error = number == 0 ? kTooManyFiles
                                      : files.Open(name, mode, number, recordLength);
        if (error == kNoError) {
            result.fileNumber = number;
            result.lastError = kNoError;
            return result;
        }
        if (failed(error, result)) return result;
    }
}

}  // namespace Textdatabase
