#pragma once
// The end of one run of the texture targets: the registry, the renderer and the trace start afresh and
// the record driver's log is emptied, so that no run depends on an earlier one.
#include "engine/render.h"
#include "files/filingsystem.h"
#include "files/nym_trace.h"
#include "fuzz/record_environment.h"

namespace fuzz {

inline void endEngineRun(RecordEnvironment& environment) {
    Filingsystem::Destroy();
    NymRender::destroy();
    NymTrace::Destroy();
    environment.driver.clearLog();
}

} // namespace fuzz
