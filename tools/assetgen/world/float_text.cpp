#include "float_text.h"

#include <charconv>
#include <cmath>

namespace world {

float quantise(double v, double step) {
    const double q = std::nearbyint(v / step) * step;
    const float f = static_cast<float>(q);
    return f == 0.0f ? 0.0f : f; // no negative zero in the output
}

std::string floatLiteral(float f) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, f);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text + "f";
}

} // namespace world
