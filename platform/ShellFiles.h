#pragma once

#include <string>

namespace platform {

// The desktop's file operation with its own progress window. Names are
// lists of zero-terminated entries ended by one more zero; the last part of
// a source name may hold the wildcards * and ?.
enum FileFunction : unsigned { FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3, FO_RENAME = 4 };

enum FileOperationFlags : unsigned {
    FOF_MULTIDESTFILES = 0x1,
    FOF_SILENT = 0x4,
    FOF_RENAMEONCOLLISION = 0x8,
    FOF_NOCONFIRMATION = 0x10,
    FOF_ALLOWUNDO = 0x40,
    FOF_FILESONLY = 0x80,
    FOF_SIMPLEPROGRESS = 0x100,
    FOF_NOCONFIRMMKDIR = 0x200,
};

// Results other than 0 that the operation hands back.
enum FileOperationError : int {
    FILE_ERROR_NOT_FOUND = 2,
    FILE_ERROR_PATH_NOT_FOUND = 3,
    FILE_ERROR_ACCESS_DENIED = 5,
    FILE_ERROR_NOT_SUPPORTED = 50,
    FILE_ERROR_CANCELLED = 1223,
};

struct FileOperation {
    unsigned function = 0;
    std::string from;
    std::string to;
    unsigned flags = 0;
    std::string progressTitle;
    // Set by the operation when the player stopped it.
    bool anyOperationsAborted = false;
};

class ShellFiles {
public:
    virtual ~ShellFiles() = default;
    // 0 when everything was done, else one of the errors above.
    virtual int Run(FileOperation& operation) = 0;
};

} // namespace platform
