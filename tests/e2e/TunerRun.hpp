#pragma once

#include <QJsonObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace ovra::test {

// One run of the ovratuner program, as a user starts it.
struct TunerRun {
    int exitCode = -1; // -1: crashed or did not finish in time
    QString out;
    QString err;
};

// Runs ovratuner with its own preferences folder (XDG_CONFIG_HOME), the
// offscreen platform and the rest of this process's environment.
TunerRun runTuner(const QStringList& arguments, const QString& configHome, int timeoutMs = 60000,
                  const QProcessEnvironment& extra = QProcessEnvironment());

// Writes the tuner's preference file with this stored tuning-key selection.
bool storeSelection(const QString& configHome, int keyIndex);

// The JSON written beside a screenshot.
QJsonObject readScreenState(const QString& jsonPath);

// Share of the strongly coloured pixels of string `index`'s picture that, in
// the screenshot (twice the points), look like its `modifier` picture rather
// than its unlit one. Near 1.0: the string shows that picture.
double stringPictureMatch(const QString& screenshotPath, int index, const char* modifier);

} // namespace ovra::test
