// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/TuningPicker.hpp"

#include "tuner/LocalizedText.hpp"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ovra {

TuningPicker::TuningPicker(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("tuningPicker"));
    setWindowTitle(tr("Tuning"));
    myList = new QListWidget(this);
    myList->setObjectName(QStringLiteral("tuningList"));
    myList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    for (const Tuning& tuning : builtInTunings()) {
        // The name, and under it the notes from the lowest string up.
        myList->addItem(tuningDisplayName(tuning) + QLatin1Char('\n') +
                        QString::fromStdString(tuningNotesText(tuning)));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    // Worded like the panel's own dialogs, in the panel's language.
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(myList);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(myList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { pickRow(myList->row(item)); });
    connect(myList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { pickRow(myList->row(item)); });
}

void TuningPicker::showEvent(QShowEvent* event) {
    ensurePolished();
    myList->ensurePolished();
    myList->doItemsLayout();
    int rows = 0;
    for (int row = 0; row < myList->count(); ++row) {
        rows += myList->sizeHintForRow(row);
    }
    const int frame = 2 * myList->frameWidth();
    myList->setMinimumSize(myList->sizeHintForColumn(0) + frame + 4, rows + frame);
    // Never taller than the window it opens over, less room for the title
    // and the button; the list scrolls then.
    if (const QWidget* over = parentWidget()) {
        myList->setMaximumHeight(std::max(120, over->height() - 140));
        myList->setMinimumHeight(std::min(myList->minimumHeight(), myList->maximumHeight()));
    }
    adjustSize();
    QDialog::showEvent(event);
}

void TuningPicker::setCurrentTuning(const Tuning& tuning) {
    const auto tunings = builtInTunings();
    for (size_t row = 0; row < tunings.size(); ++row) {
        if (tunings[row].id == tuning.id) {
            myList->setCurrentRow(static_cast<int>(row));
        }
    }
    myList->setFocus(Qt::OtherFocusReason);
}

void TuningPicker::pickRow(int row) {
    const auto tunings = builtInTunings();
    if (row < 0 || static_cast<size_t>(row) >= tunings.size() || !isVisible()) {
        return;
    }
    // Closed first: a click and the activation it may bring pick once.
    accept();
    emit tuningPicked(tunings[static_cast<size_t>(row)]);
}

} // namespace ovra
