// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace ovra {

class OvraMainView;

// Keys for desktop users, on top of the touch behaviour: 1-6 touch the
// tuning key of string 0-5 (lowest to highest), M the magic key, S or
// comma opens the settings panel, Escape or Return closes it (Done), Ctrl+Q
// quits. Shift+1-6 touch the key and play that string's whole tone once: a
// tap is a pluck, as a keyboard has no long press and its keys repeat when
// held, and the tone dies away by itself. While the panel covers the screen the tuning keys cannot
// be touched, so their keys do nothing then either.
class KeyboardShortcuts : public QObject {
    Q_OBJECT

public:
    KeyboardShortcuts(QWidget* window, OvraMainView* mainView);

    // What each key does, callable without a key event.
    void touchKey(int keyIndex);
    void pluckKey(int string);
    void openSettings();
    void closeSettings();

private:
    bool settingsShown() const;

    OvraMainView* myMainView;
};

} // namespace ovra
