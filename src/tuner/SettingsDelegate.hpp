// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ovra {

class OvraSettings;

// Optional listener of the settings panel, told just before the panel slides
// away. The panel does not own it.
class SettingsDelegate {
public:
    virtual ~SettingsDelegate() = default;
    virtual void settingsWillHide(OvraSettings* settings) = 0;
};

} // namespace ovra
