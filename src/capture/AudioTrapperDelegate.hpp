#pragma once

namespace ovra {

// Told on the capture thread after each analysed buffer; must return promptly
// and do its work on its own thread.
class AudioTrapperDelegate {
public:
    virtual ~AudioTrapperDelegate() = default;
    virtual void refreshGUIFromAnotherThread() = 0;
};

} // namespace ovra
