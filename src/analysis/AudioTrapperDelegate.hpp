// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace ovra {

// Told on the capture thread after each analysed buffer; must return promptly
// and do its work on its own thread.
class AudioTrapperDelegate {
public:
    virtual ~AudioTrapperDelegate() = default;
    virtual void refreshGUIFromAnotherThread() = 0;
};

// The owner of a capture record, as the analysis callback sees it: it only
// needs the current delegate, so the analysis path stays free of threads and Qt.
class AudioTrapperDelegateSource {
public:
    virtual ~AudioTrapperDelegateSource() = default;
    virtual std::shared_ptr<AudioTrapperDelegate> delegate() const = 0;
};

} // namespace ovra
