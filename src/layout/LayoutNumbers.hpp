// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace ovra {

// Numbers as the layout files write them, read the same in every locale.
//
// Float: leading whitespace, optional sign, decimal digits with an optional
// decimal point and an optional exponent; reading stops at the first
// character that does not fit, and text that does not begin with a number is
// 0.0 ("12.5px" -> 12.5, "abc" -> 0.0). Magnitudes beyond the float range
// give the largest finite float of that sign (never infinity, so geometry
// stays finite); magnitudes below it give 0.0.
float parseLayoutFloat(std::string_view text);

// Integer: leading whitespace, optional sign and decimal digits, stopping at
// the first other character ("12.7" -> 12); no number gives 0; values beyond
// the 32-bit range clamp to INT32_MAX / INT32_MIN.
int parseLayoutInt(std::string_view text);

} // namespace ovra
