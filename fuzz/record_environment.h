#pragma once
// The GL of the fuzz targets that call it: the record driver, which reads every byte a call is given (so
// data that reaches past its buffer is an AddressSanitizer report), optionally behind the extension
// emulation; the debugger output is dropped.
#include "platform/debug_output.h"
#include "platform/gles/emulation.h"
#include "platform/gles/record_driver.h"

namespace fuzz {

struct RecordEnvironment {
    enum class Emulation { Off, On };

    explicit RecordEnvironment(Emulation emulation) {
        platform::setDebugOutputSink([](const wchar_t*) {});
        recorded = platform::gles::dispatchTable;
        if (emulation == Emulation::On) {
            platform::gles::dispatchTable = platform::gles::emulate(recorded);
        }
    }

    platform::gles::RecordDriver driver;
    platform::gles::DispatchTable recorded; // the driver's own table, behind the emulation
};

} // namespace fuzz
