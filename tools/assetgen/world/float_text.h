#pragma once
// Exact, locale-free text for generated sources: floats in their shortest round-trip form.
#include <string>

namespace world {

// v rounded to a multiple of step, as a float.
float quantise(double v, double step);

// The shortest decimal that reads back as exactly f, with an f suffix ("0.5f", "-12f", "1e-05f").
std::string floatLiteral(float f);

} // namespace world
