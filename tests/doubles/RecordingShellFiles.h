#pragma once

#include "platform/ShellFiles.h"

#include <functional>
#include <vector>

// Records every operation and answers with a set result; onRun, when set,
// runs while the operation would be under way.
class RecordingShellFiles : public platform::ShellFiles {
public:
    int Run(platform::FileOperation& operation) override
    {
        if (onRun) onRun();
        operation.anyOperationsAborted = abort;
        runs.push_back(operation);
        return result;
    }

    int result = 0;
    bool abort = false;
    std::function<void()> onRun;
    std::vector<platform::FileOperation> runs;
};
