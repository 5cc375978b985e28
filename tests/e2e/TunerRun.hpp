// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace ovra::test {

// The ovratuner program, started in the background as a user starts it, with
// its own preferences folder (XDG_CONFIG_HOME), the offscreen platform and
// English (unless `extra` says otherwise) and the rest of this process's
// environment.
class RunningTuner {
public:
    RunningTuner(const QStringList& arguments, const QString& configHome,
                 const QProcessEnvironment& extra = QProcessEnvironment());
    ~RunningTuner();
    // Waits until standard error has shown `text` `count` times.
    bool waitForLog(const QString& text, int count = 1, int timeoutMs = 20000);
    qint64 pid() const { return myProcess.processId(); }
    // Waits for the end: the exit code, or -1 (crashed, or did not end).
    int finish(int timeoutMs = 60000);
    // Standard error so far.
    const QString& err();

private:
    QProcess myProcess;
    QString myErr;
};

// What `program arguments` prints on standard output, trimmed, once it has
// ended (or after 20 seconds).
QString output(const QString& program, const QStringList& arguments);

// Writes the tuner's preference file with these "key=value" lines.
bool storePreferences(const QString& configHome, const QString& lines);
// The text stored under `key` in the preference file, or a null string.
QString storedPreference(const QString& configHome, const QString& key);

// Writes a recording of held notes one after another, each (fundamental in
// Hz, seconds), a fundamental of 0 being digital silence: 16-bit mono at 8000 Hz.
bool writeHeldNotes(const QString& path, const std::vector<std::pair<double, double>>& notes);

// The JSON written beside a screenshot.
QJsonObject readScreenState(const QString& jsonPath);

// Share of the strongly coloured pixels of string `index`'s picture that, in
// the screenshot (twice the points), look like its `modifier` picture rather
// than its unlit one. Near 1.0: the string shows that picture.
double stringPictureMatch(const QString& screenshotPath, int index, const char* modifier);

// Pixels of the screenshot inside a text item's rectangle that are near its
// colour under `modifier` (null: the plain colour): the words drawn there.
int textInkPixels(const QString& screenshotPath, const char* item, const char* modifier);

} // namespace ovra::test
