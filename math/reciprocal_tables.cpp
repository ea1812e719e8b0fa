#include "math/fixed.h"

namespace {

struct ReciprocalTables {
    std::array<std::int32_t, 256> reciprocal;
    std::array<std::int32_t, 256> reciprocalSquare;
};

// Filled at compile time, with the same single-precision steps a start-up fill would take.
constexpr ReciprocalTables buildTables() {
    ReciprocalTables t{};
    for (int i = 256; i < 512; ++i) {
        const float q = 512.0f / static_cast<float>(i);
        const float qScaled = q * 65536.0f;
        const float qSquare = q * q;
        const float qSquareScaled = qSquare * 32768.0f;
        t.reciprocal[i - 256] = static_cast<std::int32_t>(qScaled);
        t.reciprocalSquare[i - 256] = static_cast<std::int32_t>(qSquareScaled);
    }
    return t;
}

constexpr ReciprocalTables tables = buildTables();

} // namespace

constinit const std::array<std::int32_t, 256> reciprocalTable = tables.reciprocal;
constinit const std::array<std::int32_t, 256> reciprocalSquareTable = tables.reciprocalSquare;
