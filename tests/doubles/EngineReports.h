#pragma once
#include "doubles/ScriptedMessageBoxes.h"
#include "engine/core/mObject.h"

// The engine's reports, recorded for as long as this lives: a test that
// ends early on a failed assertion leaves no reporter behind that points
// at a box double gone out of scope.
class EngineReports : public ScriptedMessageBoxes {
public:
    EngineReports() { mObject::SetReporter(this); }
    ~EngineReports() override { mObject::SetReporter(nullptr); }
    EngineReports(const EngineReports&) = delete;
    EngineReports& operator=(const EngineReports&) = delete;
};
