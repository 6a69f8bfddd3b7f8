#pragma once

#include "platform/ShellFiles.h"

#include <functional>
#include <vector>

// Records every operation and answers with a set result; onRun runs while
// the operation would be under way.
class RecordingShellFiles : public platform::ShellFiles {
public:
    int Run(platform::FileOperation& operation) override
    {
        if (onRun) onRun();
        operation.anyOperationsAborted = result == platform::FILE_ERROR_CANCELLED;
        runs.push_back(operation);
        return result;
    }

    int result = 0;
    std::function<void()> onRun;
    std::vector<platform::FileOperation> runs;
};
