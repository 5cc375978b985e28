// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Screenshot.hpp"

#include "ui/SceneScreenshot.hpp"

#include <QFile>
#include <QGraphicsScene>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace ovra {

namespace {

QJsonValue optionalNumber(const std::optional<float>& value) {
    return value ? QJsonValue(static_cast<double>(*value)) : QJsonValue(QJsonValue::Null);
}

} // namespace

QByteArray screenStateJson(const ScreenState& state) {
    QJsonObject object;
    object["active_string"] = state.activeString;
    object["automatic"] = state.automatic;
    object["needle_x"] = static_cast<double>(state.needle.x);
    object["needle_y"] = static_cast<double>(state.needle.y);
    object["meter_bright"] = state.meterBright;
    object["lit_leds"] = state.litLeds;
    object["display_hz"] = optionalNumber(state.displayFrequency);
    object["cents"] = optionalNumber(state.cents);
    object["status"] = QString::fromStdString(state.status);
    object["tuning"] = QString::fromStdString(state.tuning);
    object["reference_pitch"] = state.referencePitch;
    object["tuning_caption"] = QString::fromStdString(state.tuningCaption);
    object["note"] = QString::fromStdString(state.note);
    object["frequency_text"] = QString::fromStdString(state.frequencyText);
    object["cents_text"] = QString::fromStdString(state.centsText);
    object["readout_bright"] = state.readoutBright;
    QJsonArray labels;
    for (const std::string& label : state.stringLabels) {
        labels.append(QString::fromStdString(label));
    }
    object["string_labels"] = labels;
    object["lit_label"] = state.litLabel;
    QJsonArray settingsTexts;
    for (const std::string& text : state.settingsTexts) {
        settingsTexts.append(QString::fromStdString(text));
    }
    object["settings_texts"] = settingsTexts;
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QString writeScreenshot(QGraphicsScene& scene, const ScreenState& state, const QString& pngPath,
                        const QString& jsonPath) {
    if (!saveScenePng(scene, scene.sceneRect(), 2.0, pngPath)) {
        return QStringLiteral("cannot write the screenshot '%1'").arg(pngPath);
    }
    QSaveFile json(jsonPath);
    if (!json.open(QIODevice::WriteOnly) || json.write(screenStateJson(state)) < 0 ||
        !json.commit()) {
        return QStringLiteral("cannot write the screen state '%1'").arg(jsonPath);
    }
    return {};
}

} // namespace ovra
