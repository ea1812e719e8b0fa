#pragma once
// Fixed: a signed 16.16 fixed-point number with the same bits as GLfixed, and its scalar operations.
// Addition, subtraction, negation and shifts wrap like 32-bit integers; products are floored.
#include <array>
#include <compare>
#include <cstdint>

struct Fixed {
    // The value times 65536, e.g. 0x10000 for 1.0.
    std::int32_t raw;

    constexpr auto operator<=>(const Fixed&) const = default;

    constexpr Fixed operator-() const { return Fixed{static_cast<std::int32_t>(0u - raw32())}; }
    constexpr Fixed operator+(Fixed b) const { return Fixed{static_cast<std::int32_t>(raw32() + b.raw32())}; }
    constexpr Fixed operator-(Fixed b) const { return Fixed{static_cast<std::int32_t>(raw32() - b.raw32())}; }
    constexpr Fixed& operator+=(Fixed b) { return *this = *this + b; }
    constexpr Fixed& operator-=(Fixed b) { return *this = *this - b; }

    // Shifts of the raw value: right is arithmetic (floor), left drops the bits shifted out. 0 <= n < 32.
    constexpr Fixed operator>>(int n) const { return Fixed{raw >> n}; }
    constexpr Fixed operator<<(int n) const { return Fixed{static_cast<std::int32_t>(raw32() << n)}; }
    constexpr Fixed& operator>>=(int n) { return *this = *this >> n; }
    constexpr Fixed& operator<<=(int n) { return *this = *this << n; }

private:
    constexpr std::uint32_t raw32() const { return static_cast<std::uint32_t>(raw); }
};

static_assert(sizeof(Fixed) == sizeof(std::int32_t) && alignof(Fixed) == alignof(std::int32_t));

inline constexpr Fixed FixedOne{0x10000};

// f × 65536 truncated toward zero. Values outside the Fixed range saturate and NaN gives 0.
constexpr Fixed FixedFromFloat(float f) {
    const float p = f * 65536.0f;
    if (p >= 2147483648.0f) {
        return Fixed{INT32_MAX};
    }
    if (p >= -2147483648.0f) {
        return Fixed{static_cast<std::int32_t>(p)};
    }
    return Fixed{p < 0.0f ? INT32_MIN : 0};
}

// i shifted left by 16; bits above 15 are lost.
constexpr Fixed FixedFromInt(int i) {
    return Fixed{static_cast<std::int32_t>(static_cast<std::uint32_t>(i) << 16)};
}

// The raw integer rounded to the nearest float, times 2^-16.
constexpr float FixedToFloat(Fixed x) {
    const float f = static_cast<float>(x.raw);
    return f * (1.0f / 65536.0f);
}

// The floor of the value.
constexpr int FixedToInt(Fixed x) {
    return x.raw >> 16;
}

// floor(a × b / 65536) from the exact 64-bit product, wrapping to 32 bits.
constexpr Fixed FixedMul(Fixed a, Fixed b) {
    const std::int64_t product = static_cast<std::int64_t>(a.raw) * b.raw;
    return Fixed{static_cast<std::int32_t>(product >> 16)};
}

// a / b from a table reciprocal refined by one Newton step; no divide instruction. The relative error is
// up to about 5.4e-5 for divisors below 1.0; larger divisors are first cut to 16 significant bits, which
// adds up to 3.1e-5. So the result is often a few raw units from the exact quotient, and quotients beyond
// (or within that error of) the range wrap. A zero divisor, and the divisor -32768.0 (raw INT32_MIN,
// whose magnitude does not fit), return a unchanged.
Fixed FixedDiv(Fixed a, Fixed b);

// Entry k = i - 256 for i = 256 ... 511: 512/i as 16.16, and (512/i)² × 32768 (that is 1/(2x²) with
// x = i/512, as 16.16). Used by FixedDiv.
extern const std::array<std::int32_t, 256> reciprocalTable;
extern const std::array<std::int32_t, 256> reciprocalSquareTable;
