// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ImageView.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace ovra {

// An image view of a layout item: the item's image (for the modifier), at the
// item's position (same item, index and modifier), sized to the image (zero
// when the layout names none), drawing unscaled from its top-left corner.
// The caller owns the view until it hands it to a parent with addSubview.
// nullptr item or modifier means none; a negative index means none.
std::unique_ptr<ImageView> newImageViewOfItem(const char* itemID, int32_t index,
                                              const char* modifier, const std::string& layoutFile);
// The same with no modifier.
std::unique_ptr<ImageView> newImageViewOfItem(const char* itemID, int32_t index,
                                              const std::string& layoutFile);

} // namespace ovra
