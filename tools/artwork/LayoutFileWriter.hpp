// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

namespace ovra::artwork {

// Collects the entries of a layout file ("prefix.item.index.modifier.type" =
// "value";) in the order given, with comment lines between groups.
class LayoutFileWriter {
public:
    explicit LayoutFileWriter(QString prefix) : myPrefix(std::move(prefix)) {}

    void comment(const QString& text);
    // key: the part after the prefix, e.g. "tuningkey.0.pressed.filename".
    void value(const QString& key, const QString& value);
    void position(const QString& item, const QPointF& topLeft);
    // A "$" reference to another entry of this file (key after the prefix).
    void reference(const QString& key, const QString& targetKey);
    QString fullKey(const QString& key) const { return myPrefix + "." + key; }

    QString text() const;
    bool save(const QString& path) const;

private:
    QString myPrefix;
    QStringList myLines;
};

QString formatNumber(double v);

} // namespace ovra::artwork
