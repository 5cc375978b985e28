// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioTrapperDelegate.hpp"

#include <QObject>
#include <QPointer>

namespace ovra {

class OvraMainView;

// Runs posted refreshes on the main thread, for as long as its screen lives.
class MainViewRefreshForwarder : public QObject {
    Q_OBJECT

public:
    explicit MainViewRefreshForwarder(OvraMainView* mainView);

    // Main thread: refreshes the screen, or does nothing once it is gone.
    Q_INVOKABLE void forwardRefresh();
    // Main thread: the screen's status line reads the hearing status again.
    Q_INVOKABLE void forwardHearingStatusChange();

private:
    QPointer<OvraMainView> myMainView; // read on the main thread only
};

// The tuner screen's side of the capture object: each call, on whatever
// thread, posts one refreshGUI to the main thread and returns at once. Posts
// are queued events of one main-thread object, so they stay in the order
// they were made and are never merged; posts that run after the screen is
// gone are dropped. Shared with the capture object, which may keep it longer
// than the screen lives.
//
// Posting by method name (not a functor) keeps every object that crosses the
// threads inside Qt's event queue: a functor's slot object could be released
// by the posting thread after the main thread ran it.
class MainViewRefreshPoster final : public AudioTrapperDelegate {
public:
    // Made on the main thread, with the screen it refreshes.
    explicit MainViewRefreshPoster(OvraMainView* mainView);
    // On any thread: the forwarder goes on the main thread, after the posts
    // already queued for it.
    ~MainViewRefreshPoster() override;
    MainViewRefreshPoster(const MainViewRefreshPoster&) = delete;
    MainViewRefreshPoster& operator=(const MainViewRefreshPoster&) = delete;

    void refreshGUIFromAnotherThread() override;
    // On any thread: posts one status line update, in order with the refreshes.
    void postHearingStatusChange();

private:
    MainViewRefreshForwarder* const myForwarder;
};

} // namespace ovra
