// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/TonePlayer.hpp"
#include "music/PluckedStringSynth.hpp"

#include <QAudioFormat>
#include <QIODevice>
#include <QObject>

#include <memory>
#include <optional>

class QAudioSink;

namespace ovra {

// The samples of one plucked tone as a device a QAudioSink pulls from, in
// the sink's format; a little silence follows the tone so that the sound
// server has played all of it before the sink reports running dry.
class PluckedToneDevice : public QIODevice {
public:
    PluckedToneDevice(double frequency, const QAudioFormat& format, QObject* parent);
    void release() { mySynth.release(); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    PluckedStringSynth mySynth;
    QAudioFormat myFormat;
    qint64 mySilentFramesLeft;
};

// The tone through the default audio output, with Qt Multimedia. Nothing is
// asked of the audio system until the first play; where there is no output
// the player says so once in the log and stays silent. The sink goes before
// the application object does.
class AudioTonePlayer : public QObject, public TonePlayer {
public:
    explicit AudioTonePlayer(QObject* parent = nullptr);
    ~AudioTonePlayer() override;

    void play(double frequency) override;
    void stop() override;
    // A tone is being sent to the output.
    bool isPlaying() const;

private:
    void finish();

    std::unique_ptr<QAudioSink> mySink;
    PluckedToneDevice* myTone = nullptr; // a child while it plays
    bool myMissingOutputLogged = false;
};

} // namespace ovra
