#include "tuner/SettingsStyle.hpp"

namespace ovra {

QString settingsStyleSheet() {
    return QStringLiteral(R"(
#navigationBar {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
        stop:0 #b2bfd0, stop:0.5 #889bb3, stop:0.51 #7f93ad, stop:1 #6d84a2);
    border-bottom: 1px solid #2d3642;
}
#navigationTitle {
    color: white;
    font-weight: bold;
    font-size: 20px;
    background: transparent;
}
#doneButton {
    color: white;
    font-weight: bold;
    font-size: 12px;
    border: 1px solid #1d3a73;
    border-radius: 5px;
    padding: 0 8px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
        stop:0 #7aa5e8, stop:0.5 #4a7fd9, stop:0.51 #3a6fd0, stop:1 #2f63c7);
}
#doneButton:pressed {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2b57ad, stop:1 #1e4594);
}
#groupedTable, #groupedTableContent {
    background: #c5ccd4;
    border: none;
}
#sectionHeader {
    color: #4c566c;
    font-weight: bold;
    font-size: 17px;
    padding-left: 10px;
    background: transparent;
}
#tableRow {
    background: white;
    border: 1px solid #a9abb0;
    border-radius: 9px;
}
#tableRow[pressed="true"] {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #058cf5, stop:1 #015ee6);
}
#tableRow QLabel#cellText {
    color: black;
    font-weight: bold;
    font-size: 17px;
    padding-left: 10px;
    background: transparent;
}
#tableRow[pressed="true"] QLabel#cellText {
    color: white;
}
#tableRow QWidget#sliderCell, #tableRow QWidget#textCell {
    background: transparent;
}
QToolButton#segment {
    color: #4c566c;
    font-weight: bold;
    font-size: 16px;
    border: 1px solid #8d9095;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dcdcdc);
}
QToolButton#segment:checked {
    color: white;
    border: 1px solid #2d5aa8;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
        stop:0 #82a9ec, stop:0.5 #4f83dd, stop:0.51 #3d74d6, stop:1 #2e67cf);
}
QToolButton#segment[position="first"] {
    border-top-left-radius: 9px;
    border-bottom-left-radius: 9px;
}
QToolButton#segment[position="last"] {
    border-top-right-radius: 9px;
    border-bottom-right-radius: 9px;
}
QToolButton#segment[position="only"] {
    border-radius: 9px;
}
QSlider::groove:horizontal {
    height: 9px;
    border-radius: 4px;
    border: 1px solid #7f8a99;
    background: #f4f4f4;
}
QSlider::sub-page:horizontal {
    border-radius: 4px;
    border: 1px solid #2b5fa8;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7eaaf0, stop:1 #2f6fd6);
}
QSlider::handle:horizontal {
    width: 21px;
    margin: -7px 0;
    border-radius: 11px;
    border: 1px solid #8d9095;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d6d6d6);
}
)");
}

QColor settingsBackgroundColor() {
    return QColor(0xc5, 0xcc, 0xd4);
}

} // namespace ovra
