// The message shown when a file or program operation of an item's action fails: what went
// wrong, the error number with the system's description, the paths, and what to do.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace lcime {

enum class FailedOperation { Find, Copy, Start };

struct ErrorReport {
    FailedOperation operation;
    OsError error;
    std::string description;  // the system's own text for the error number
    std::string path;         // the file looked for, the copy source, or the program
    std::string destination;  // the copy destination; empty otherwise
};

std::string FormatErrorReport(const ErrorReport& report);

// Builds and shows the report in a box under the application title.
void ShowErrorReport(Platform& platform, FailedOperation operation, OsError error,
                     const std::string& path, const std::string& destination = {});

}  // namespace lcime
