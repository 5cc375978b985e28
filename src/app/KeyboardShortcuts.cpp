// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/KeyboardShortcuts.hpp"

#include "model/TunerDisplayModel.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"

#include <QCoreApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace ovra {

namespace {

void bind(QWidget* window, const QKeySequence& keys, QObject* receiver,
          const std::function<void()>& action, bool autoRepeat = true) {
    auto* shortcut = new QShortcut(keys, window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(autoRepeat);
    QObject::connect(shortcut, &QShortcut::activated, receiver, action);
}

} // namespace

KeyboardShortcuts::KeyboardShortcuts(QWidget* window, OvraMainView* mainView)
    : QObject(window), myMainView(mainView) {
    for (int string = 0; string < STRING_COUNT; ++string) {
        bind(window, QKeySequence(Qt::Key_1 + string), this, [this, string] { touchKey(string); });
        // A key held down plucks once, not at the keyboard's repeat rate.
        bind(
            window, QKeySequence(Qt::SHIFT | (Qt::Key_1 + string)), this,
            [this, string] { pluckKey(string); }, false);
    }
    bind(window, QKeySequence(Qt::Key_M), this, [this] { touchKey(MAGIC_KEY_INDEX); });
    for (const auto key : {Qt::Key_S, Qt::Key_Comma}) {
        bind(window, QKeySequence(key), this, [this] { openSettings(); });
    }
    for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        bind(window, QKeySequence(key), this, [this] { closeSettings(); });
    }
    bind(window, QKeySequence(Qt::CTRL | Qt::Key_Q), this, [] { QCoreApplication::quit(); });
}

bool KeyboardShortcuts::settingsShown() const {
    return myMainView->screenState().settingsShown;
}

void KeyboardShortcuts::touchKey(int keyIndex) {
    if (!settingsShown()) {
        // What a finger on the key does.
        myMainView->tuningKeyHit(keyIndex);
    }
}

void KeyboardShortcuts::pluckKey(int string) {
    if (!settingsShown()) {
        // Chosen as by a finger, so the tuner then measures that string.
        myMainView->tuningKeyHit(string);
        myMainView->playString(string);
    }
}

void KeyboardShortcuts::openSettings() {
    if (!settingsShown()) {
        myMainView->aboutButtonPressed();
    }
}

void KeyboardShortcuts::closeSettings() {
    if (settingsShown()) {
        myMainView->settings()->doneButtonHit();
    }
}

} // namespace ovra
