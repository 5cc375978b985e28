// SPDX-License-Identifier: GPL-3.0-or-later
// Holds nothing but the embedded test files (a static library needs a source).
namespace ovra::test {
int layoutTestResourcesAnchor = 0;
} // namespace ovra::test
