// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/TunerAppDelegate.hpp"

namespace ovra {

namespace {
// Main thread only, like everything that uses it.
TunerAppDelegate* mySharedAppDelegate = nullptr;
} // namespace

TunerAppDelegate::~TunerAppDelegate() {
    if (mySharedAppDelegate == this) {
        mySharedAppDelegate = nullptr;
    }
}

TunerAppDelegate* TunerAppDelegate::sharedAppDelegate() {
    return mySharedAppDelegate;
}

void TunerAppDelegate::setSharedAppDelegate(TunerAppDelegate* delegate) {
    mySharedAppDelegate = delegate;
}

} // namespace ovra
