// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tunings.hpp"

#include <QDialog>

class QListWidget;

namespace ovra {

// The list the "Tuning" row opens: every built-in tuning by name with its
// notes under it, the current one selected. A tap (or Return) on a tuning
// picks it and closes the list; Cancel or Escape closes it and picks nothing.
class TuningPicker : public QDialog {
    Q_OBJECT

public:
    explicit TuningPicker(QWidget* parent = nullptr);

    // Selects the current tuning before the list opens.
    void setCurrentTuning(const Tuning& tuning);
    // Picks the tuning in row `row` (0 = standard), as a tap does.
    void pickRow(int row);

signals:
    void tuningPicked(const ovra::Tuning& tuning);

protected:
    // Sized to show every tuning whole at the text size it opens with.
    void showEvent(QShowEvent* event) override;

private:
    QListWidget* myList = nullptr;
};

} // namespace ovra
