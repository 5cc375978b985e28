// SPDX-License-Identifier: GPL-3.0-or-later
#include "TunerRun.hpp"

#include "TestTones.hpp"
#include "layout/WEXConfig.hpp"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QPixmap>
#include <QProcess>
#include <QSettings>

#include <cmath>

namespace ovra::test {

namespace {

QString preferencesFile(const QString& configHome) {
    return configHome + QStringLiteral("/OvraTuner/OvraTuner.conf");
}

} // namespace

RunningTuner::RunningTuner(const QStringList& arguments, const QString& configHome,
                           const QProcessEnvironment& extra) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // English, whatever the developer's own language, unless a test asks.
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        environment.remove(QLatin1String(variable));
    }
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    for (const QString& key : extra.keys()) {
        environment.insert(key, extra.value(key));
    }
    myProcess.setProcessEnvironment(environment);
    myProcess.start(QStringLiteral(OVRA_TUNER_PATH), arguments);
}

RunningTuner::~RunningTuner() {
    if (myProcess.state() != QProcess::NotRunning) {
        myProcess.kill();
        myProcess.waitForFinished();
    }
}

const QString& RunningTuner::err() {
    myErr += QString::fromUtf8(myProcess.readAllStandardError());
    return myErr;
}

bool RunningTuner::waitForLog(const QString& text, int count, int timeoutMs) {
    for (int waited = 0; err().count(text) < count; waited += 20) {
        if (waited > timeoutMs || myProcess.state() == QProcess::NotRunning) {
            return false;
        }
        myProcess.waitForReadyRead(20);
    }
    return true;
}

int RunningTuner::finish(int timeoutMs) {
    if (!myProcess.waitForFinished(timeoutMs)) {
        myErr += QStringLiteral("[did not finish in time]\n");
        return -1;
    }
    err();
    return myProcess.exitStatus() == QProcess::NormalExit ? myProcess.exitCode() : -1;
}

QString output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool storePreferences(const QString& configHome, const QString& lines) {
    QDir().mkpath(configHome + QStringLiteral("/OvraTuner"));
    QFile file(preferencesFile(configHome));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    file.write(QStringLiteral("[General]\n%1\n").arg(lines).toUtf8());
    return true;
}

QString storedPreference(const QString& configHome, const QString& key) {
    const QVariant value = QSettings(preferencesFile(configHome), QSettings::IniFormat).value(key);
    return value.isValid() ? value.toString() : QString();
}

bool writeHeldNotes(const QString& path, const std::vector<std::pair<double, double>>& notes) {
    std::vector<double> samples;
    for (const auto& [fundamental, seconds] : notes) {
        ToneRecipe note;
        note.fundamental = fundamental;
        note.seconds = seconds;
        note.decayPerSecond = 0.05; // loud until the screenshot
        const std::vector<double> part = synthesizeTone(note);
        samples.insert(samples.end(), part.begin(), part.end());
    }
    return writeWav(path.toStdString(), samples, 8000);
}

QJsonObject readScreenState(const QString& jsonPath) {
    QFile file(jsonPath);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

namespace {

// A picture at twice its points, whatever resolution the image cache chose.
QImage atDoubleScale(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const double factor = 2.0 / pixmap.devicePixelRatio();
    if (std::abs(factor - 1.0) < 1e-6) {
        return image;
    }
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

} // namespace

double stringPictureMatch(const QString& screenshotPath, int index, const char* modifier) {
    // Pictures from the layout are pixmaps, which need a GUI application.
    if (QGuiApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "e2e_tests";
        static char* argv[] = {name, nullptr};
        static QGuiApplication application(argc, argv);
    }
    const QImage shot = QImage(screenshotPath).convertToFormat(QImage::Format_ARGB32);
    WEXConfig config("ovra");
    const std::string file = "general.cfg";
    const Point origin = WEXConfig::positionOfItem("string", index, nullptr, file);
    const QImage shown = atDoubleScale(WEXConfig::imageOfItem("string", index, modifier, file));
    const QImage unlit = atDoubleScale(WEXConfig::imageOfItem("string", index, "unpressed", file));
    if (shot.isNull() || shown.isNull() || unlit.isNull() || shown.size() != unlit.size()) {
        return 0.0;
    }
    const int left = static_cast<int>(std::lround(origin.x * 2.0f));
    const int top = static_cast<int>(std::lround(origin.y * 2.0f));
    int votes = 0;
    int counted = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = unlit.pixel(x, y);
            // Only opaque pixels where the two pictures clearly differ decide.
            if (qAlpha(a) < 200 || qAlpha(b) < 200 || distance(a, b) < 90 ||
                !shot.valid(left + x, top + y)) {
                continue;
            }
            const QRgb s = shot.pixel(left + x, top + y);
            ++counted;
            votes += distance(s, a) < distance(s, b) ? 1 : 0;
        }
    }
    return counted == 0 ? 0.0 : static_cast<double>(votes) / counted;
}

int textInkPixels(const QString& screenshotPath, const char* item, const char* modifier) {
    WEXConfig config("ovra");
    const Rect r = WEXConfig::rectOfItem(item, -1, nullptr, "general.cfg");
    const QColor ink = WEXConfig::newColorOfItem(item, -1, modifier, "general.cfg");
    const QImage shot = QImage(screenshotPath).convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = int(r.origin.y * 2); y < int((r.origin.y + r.size.height) * 2); ++y) {
        for (int x = int(r.origin.x * 2); x < int((r.origin.x + r.size.width) * 2); ++x) {
            count += shot.valid(x, y) && distance(shot.pixel(x, y), ink.rgb()) < 60;
        }
    }
    return count;
}

} // namespace ovra::test
