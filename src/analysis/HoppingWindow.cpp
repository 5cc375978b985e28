// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/HoppingWindow.hpp"

#include <algorithm>

namespace ovra {

HoppingWindow::HoppingWindow(size_t windowLength, size_t hop)
    : myBuffer(std::max<size_t>(windowLength, 1)),
      myHop(std::clamp<size_t>(hop, 1, myBuffer.size())) {}

void HoppingWindow::reset() {
    myFill = 0;
    myReceived = 0;
}

size_t HoppingWindow::append(const int16_t* samples, size_t count) {
    if (myFill == myBuffer.size()) {
        std::copy(myBuffer.begin() + static_cast<std::ptrdiff_t>(myHop), myBuffer.end(),
                  myBuffer.begin());
        myFill -= myHop;
    }
    const size_t taken = std::min(count, myBuffer.size() - myFill);
    std::copy_n(samples, taken, myBuffer.begin() + static_cast<std::ptrdiff_t>(myFill));
    myFill += taken;
    myReceived += taken;
    return taken;
}

} // namespace ovra
