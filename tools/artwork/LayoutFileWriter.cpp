// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutFileWriter.hpp"

#include <QFile>

namespace ovra::artwork {

QString formatNumber(double v) {
    return QString::number(v, 'g', 10);
}

void LayoutFileWriter::comment(const QString& text) {
    myLines << QString() << "/* " + text + " */";
}

void LayoutFileWriter::value(const QString& key, const QString& value) {
    myLines << QString("\"%1\" = \"%2\";").arg(fullKey(key), value);
}

void LayoutFileWriter::position(const QString& item, const QPointF& topLeft) {
    value(item + ".x", formatNumber(topLeft.x()));
    value(item + ".y", formatNumber(topLeft.y()));
}

void LayoutFileWriter::reference(const QString& key, const QString& targetKey) {
    value(key, "$" + fullKey(targetKey));
}

QString LayoutFileWriter::text() const {
    return myLines.join('\n') + '\n';
}

bool LayoutFileWriter::save(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray bytes = text().toLatin1();
    return file.write(bytes) == bytes.size();
}

} // namespace ovra::artwork
