// A build without cairo (the web build): --plot is refused with the options.
#include "runner/report/frame_time_plot.h"

namespace runner::report {

bool drawFrameTimePlot(const FrameLog&, const RunSummary&, const RunEnvironment&, const RunSettings&, bool,
                       std::string&, std::string& error) {
    error = "this nymbus was built without cairo, which draws the plot";
    return false;
}

} // namespace runner::report
