// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/HighlightLabel.hpp"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

namespace ovra {

// A table row that hosts one widget (a control such as a segmented selector)
// beside a bold name label. The owner gives the hosted widget its frame; the
// row lays out only its label, and gives a hosted PageIndicator a width of 160.
// The label and the hosted widget live in contentView(), which fills the row.
class WEXViewCellView : public QWidget {
    Q_OBJECT

public:
    static constexpr int SELECTION_STYLE_NONE = 0;
    static constexpr int PAGE_INDICATOR_WIDTH = 160;

    explicit WEXViewCellView(const QRect& frame = QRect(), const QString& reuseIdentifier = {},
                             QWidget* parent = nullptr);

    QWidget* contentView() const { return myContentView; }
    QString reuseIdentifier() const { return myReuseIdentifier; }
    int selectionStyle() const { return mySelectionStyle; }

    // Hosts a widget in the content view, in place of the previous one (which
    // is taken out of the row and handed back to the caller: it is no longer
    // deleted with the row). Hosting the same widget again keeps it once.
    // Lays out at once.
    void setView(QWidget* view);
    QWidget* view() const { return myView.data(); }

    HighlightLabel* nameLabel() const { return myNameLabel.data(); }
    // Replaces the name label (the old one is deleted); the new one is put in
    // the content view and laid out like the first.
    void setNameLabel(HighlightLabel* label);

    // Content view fills the row; label at (x - 8, 8, w, 25) of the content
    // bounds; a hosted PageIndicator gets width 160 (origin and height kept).
    void layoutSubviews();

    // Selection only sets the label's highlighted flag (no painted selection).
    void setSelected(bool selected, bool animated);
    bool isSelected() const { return mySelected; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* myContentView = nullptr;
    QPointer<HighlightLabel> myNameLabel;
    QPointer<QWidget> myView;
    QString myReuseIdentifier;
    int mySelectionStyle = SELECTION_STYLE_NONE;
    bool mySelected = false;
};

} // namespace ovra
