#include "TunerRun.hpp"

#include "layout/WEXConfig.hpp"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QPixmap>
#include <QProcess>

#include <cmath>

namespace ovra::test {

TunerRun runTuner(const QStringList& arguments, const QString& configHome, int timeoutMs,
                  const QProcessEnvironment& extra) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString& key : extra.keys()) {
        environment.insert(key, extra.value(key));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(OVRA_TUNER_PATH), arguments);
    TunerRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("did not finish in time");
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool storeSelection(const QString& configHome, int keyIndex) {
    const QString folder = configHome + QStringLiteral("/OvraTuner");
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/OvraTuner.conf"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    file.write(
        QStringLiteral("[General]\novratuner.tuningkeyselected=%1\n").arg(keyIndex).toUtf8());
    return true;
}

QJsonObject readScreenState(const QString& jsonPath) {
    QFile file(jsonPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QJsonDocument::fromJson(file.readAll()).object();
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

} // namespace ovra::test
