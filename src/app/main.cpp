// SPDX-License-Identifier: GPL-3.0-or-later
// ovratuner: the guitar tuner.

#include "app/CommandLine.hpp"
#include "app/KeyboardShortcuts.hpp"
#include "app/OvraTunerAppDelegate.hpp"
#include "app/QuitSignals.hpp"
#include "app/Screenshot.hpp"
#include "app/TunerWindow.hpp"
#include "app/UiLanguage.hpp"

#include "capture/AudioBackendExit.hpp"
#include "capture/AudioInputDevices.hpp"
#include "capture/FileAudioQueue.hpp"
#include "capture/MicrophoneAudioQueue.hpp"
#include "common/SystemLog.hpp"
#include "common/Version.hpp"
#include "layout/Resources.hpp"
#include "model/TuningOptions.hpp"
#include "tuner/OvraMainView.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMediaDevices>
#include <QProcessEnvironment>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace ovra;

int fail(const std::string& message, int status = 1) {
    std::fprintf(stderr, "ovratuner: %s\n", message.c_str());
    return status;
}

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int listDevices(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList names = audioInputDeviceNames();
    endProcessBeforeAudioBackendTeardown();
    if (names.isEmpty()) {
        return fail("no microphone found (is a sound server running?)");
    }
    // The default input comes first; "* " marks it, as a shell user expects
    // of a list with one current entry, and keeps the names easy to copy.
    const bool hasDefault = !QMediaDevices::defaultAudioInput().isNull();
    for (qsizetype i = 0; i < names.size(); ++i) {
        std::printf("%s%s\n", i == 0 && hasDefault ? "* " : "  ",
                    names[i].toLocal8Bit().constData());
    }
    return 0;
}

AudioQueueFactory audioSource(const TunerOptions& options, std::vector<int16_t> inputSamples) {
    if (!options.inputFile.empty()) {
        FileQueueOptions fileOptions;
        fileOptions.loop = options.loopInput;
        return fileAudioQueueFactory(std::move(inputSamples), fileOptions);
    }
    return microphoneAudioQueueFactory(QString::fromStdString(options.deviceName));
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedTunerCommandLine parsed = parseTunerCommandLine(arguments);
    if (!parsed.error.empty()) {
        return fail(parsed.error + " (try --help)", 2);
    }
    const TunerOptions& options = parsed.options;
    if (options.showHelp) {
        std::fputs(tunerUsage().c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("OvraTuner %s\n%s\n%s", OVRA_VERSION, OVRA_COPYRIGHT, OVRA_LICENSE_NOTICE);
        return 0;
    }
    if (options.listTunings) {
        std::fputs(tuningListText().c_str(), stdout);
        return 0;
    }
    if (options.listDevices) {
        return listDevices(argc, argv);
    }
    if (const std::string error = checkTunerOptionFiles(options); !error.empty()) {
        return fail(error);
    }
    std::vector<int16_t> inputSamples;
    if (const std::string error = decodeTunerInput(options, inputSamples); !error.empty()) {
        return fail(error);
    }
    if (!hasDisplay()) {
        if (options.screenshotPath.empty()) {
            return fail("no display to show the tuner on (DISPLAY and WAYLAND_DISPLAY are unset)");
        }
        // A screenshot needs no screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    // X11 names the window's instance after this (ICCCM's -name option), so
    // docks match it to the desktop entry's StartupWMClass, as Wayland
    // compositors do with the desktop file name; the class stays the
    // application's name, which also names the settings file.
    std::vector<char*> qtArguments(argv, argv + argc);
    static char nameOption[] = "-name";
    static char desktopId[] = "org.ovratuner.OvraTuner";
    qtArguments.insert(qtArguments.begin() + 1, {nameOption, desktopId});
    qtArguments.push_back(nullptr);
    int qtArgumentCount = argc + 2;
    QApplication app(qtArgumentCount, qtArguments.data());
    // Qt has taken the C library's locale from the environment; the model's
    // number texts stay in the C form and the screen localises them itself.
    std::setlocale(LC_NUMERIC, "C");
    // From here on, SIGTERM, SIGINT and SIGHUP quit like Ctrl+Q.
    QuitSignals quitSignals;
    QCoreApplication::setOrganizationName(QStringLiteral("OvraTuner"));
    QCoreApplication::setApplicationName(QStringLiteral("OvraTuner"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(OVRA_VERSION));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("OvraTuner"));
    // The desktop entry's id: docks and Wayland compositors match the window to it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopId));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("org.ovratuner.OvraTuner"),
                         QIcon(QStringLiteral(":/icons/org.ovratuner.OvraTuner.png"))));

    // Before anything on screen is made: the panel and its dialogs are
    // worded once, when they are built.
    const UiLanguage language =
        chooseUiLanguage(QString::fromStdString(options.language), builtInCatalogues(),
                         QProcessEnvironment::systemEnvironment());
    if (!language.unknown.isEmpty()) {
        fail("no translation for language '" + language.unknown.toStdString() +
             "'; the tuner speaks English");
    }
    installUiLanguage(app, language);

    // The system log goes through Qt's logging, like the toolkit's own lines.
    setSystemLogSink([](const std::string& line) { qInfo("%s", line.c_str()); });

    if (!options.resourcesDirectory.empty() &&
        !Resources::setOverrideDirectory(options.resourcesDirectory)) {
        return fail("cannot read the resources folder '" + options.resourcesDirectory + "'");
    }
    if (options.inputFile.empty()) {
        const QString device = QString::fromStdString(options.deviceName);
        const bool namedMissing = !device.isEmpty() && findAudioInput(device).isNull();
        const bool noneAtAll = device.isEmpty() && audioInputDeviceNames().isEmpty();
        // That first look at the inputs has started Qt's audio backend, whose
        // own teardown at exit is unsafe: the process ends before it.
        // (--list-devices does the same.)
        endProcessBeforeAudioBackendTeardown();
        if (namedMissing) {
            return fail("no microphone named '" + options.deviceName + "' (see --list-devices)");
        }
        if (noneAtAll) {
            fail("no microphone found; the tuner shows its screen but hears nothing");
        }
    }

    OvraTunerAppDelegate::Options delegateOptions;
    delegateOptions.audioQueueFactory = audioSource(options, std::move(inputSamples));
    delegateOptions.tuningOverride = options.tuning;
    delegateOptions.referencePitchOverride = options.referencePitch;
    OvraTunerAppDelegate delegate(std::move(delegateOptions));
    delegate.applicationDidFinishLaunching();

    TunerWindow* window = delegate.window();
    OvraMainView* mainView = delegate.mainView();
    new KeyboardShortcuts(window, mainView);

    int status = 0;
    if (!options.screenshotPath.empty()) {
        const auto delay = static_cast<int>(options.screenshotAfterSeconds * 1000.0 + 0.5);
        QTimer::singleShot(delay, &app, [&] {
            const QString error = writeScreenshot(
                *window->scene(), mainView->screenState(),
                QString::fromStdString(options.screenshotPath),
                QString::fromStdString(screenshotStatePath(options.screenshotPath)));
            if (!error.isEmpty()) {
                status = fail(error.toStdString());
            }
            QCoreApplication::quit();
        });
    }

    const int loopStatus = app.exec();
    return status != 0 ? status : loopStatus;
}
