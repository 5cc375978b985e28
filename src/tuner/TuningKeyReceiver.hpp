// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

// What a touched tuning key reports to: the tuner screen, reached through
// its shared-instance lookup, so that a key does not depend on the screen
// that contains it.
class TuningKeyReceiver {
public:
    virtual void tuningKeyHit(int32_t keyIndex) = 0;
    // A finger kept on string key 0..5 (after its hit), and lifted again.
    virtual void tuningKeyHeld(int32_t keyIndex) { (void)keyIndex; }
    virtual void tuningKeyReleased(int32_t keyIndex) { (void)keyIndex; }

    // The screen's shared instance (OvraMainView::sharedMainView), or null.
    static TuningKeyReceiver* sharedMainView();

protected:
    ~TuningKeyReceiver() = default;
};

} // namespace ovra
