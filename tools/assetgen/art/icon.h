#pragma once
// The program's icon for desktops and menus: logo A's emblem on its blue, in a rounded square.
#include "art/image.h"

#include <string>

namespace art {

// The icon drawn at size x size pixels (drawn at each size, not scaled).
Image paintIcon(int size);

// Writes DIR/hicolor/NxN/apps/nymbus.png for the sizes desktops look for. False if a file cannot be
// written (said on standard error).
bool writeIcons(const std::string& dir);

} // namespace art
