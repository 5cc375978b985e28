#pragma once

#include "capture/AudioTrapperDelegate.hpp"

#include <QPointer>

namespace ovra {

class OvraMainView;

// The tuner screen's side of the capture object: each call, on whatever
// thread, posts one refreshGUI to the main thread and returns at once. Posts
// are queued on the application object, so they stay in the order they were
// made and are never merged; the screen is looked up again on the main
// thread when a post runs, so posts still pending (or still being made by a
// capture thread that outlives the screen) after the screen is gone are
// dropped. Shared with the capture object, which may keep it longer than
// the screen lives.
class MainViewRefreshPoster final : public AudioTrapperDelegate {
public:
    // Made on the main thread, with the screen it refreshes.
    explicit MainViewRefreshPoster(OvraMainView* mainView);

    void refreshGUIFromAnotherThread() override;

private:
    // Written once at construction, only copied afterwards.
    const QPointer<OvraMainView> myMainView;
};

} // namespace ovra
