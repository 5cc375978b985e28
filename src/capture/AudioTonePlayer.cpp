// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/AudioTonePlayer.hpp"

#include "capture/AudioBackendExit.hpp"
#include "common/SystemLog.hpp"

#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

namespace ovra {

namespace {

// Silence after the tone, longer than the output's buffer.
constexpr double TRAILING_SILENCE_SECONDS = 0.25;
// Short enough that a release is heard at once, long enough for a busy screen.
constexpr int BUFFER_MILLISECONDS = 80;

// Full-scale float sample to one sample of `format`.
void writeSample(float value, QAudioFormat::SampleFormat format, char* out) {
    const float v = std::clamp(value, -1.0f, 1.0f);
    switch (format) {
    case QAudioFormat::UInt8: {
        const auto s = static_cast<quint8>(std::lround(127.5f + 127.5f * v));
        std::memcpy(out, &s, sizeof s);
        break;
    }
    case QAudioFormat::Int16: {
        const auto s = static_cast<qint16>(std::lround(32767.0f * v));
        std::memcpy(out, &s, sizeof s);
        break;
    }
    case QAudioFormat::Int32: {
        const auto s = static_cast<qint32>(std::llround(2147483647.0 * v));
        std::memcpy(out, &s, sizeof s);
        break;
    }
    default:
        std::memcpy(out, &v, sizeof v);
        break;
    }
}

// The output's own format where it is one we can write, else 16-bit mono,
// which every output takes.
QAudioFormat outputFormat(const QAudioDevice& device) {
    QAudioFormat format = device.preferredFormat();
    if (format.sampleRate() > 0 && format.channelCount() > 0 &&
        format.sampleFormat() != QAudioFormat::Unknown) {
        return format;
    }
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

PluckedToneDevice::PluckedToneDevice(double frequency, const QAudioFormat& format, QObject* parent)
    : QIODevice(parent), mySynth(frequency, format.sampleRate()), myFormat(format),
      mySilentFramesLeft(std::llround(TRAILING_SILENCE_SECONDS * format.sampleRate())) {}

qint64 PluckedToneDevice::readData(char* data, qint64 maxSize) {
    const int frameBytes = myFormat.bytesPerFrame();
    const int sampleBytes = myFormat.bytesPerSample();
    qint64 frames = frameBytes > 0 ? maxSize / frameBytes : 0;
    if (mySynth.finished()) {
        frames = std::min(frames, mySilentFramesLeft);
        mySilentFramesLeft -= frames;
    }
    std::vector<float> samples(static_cast<size_t>(frames));
    mySynth.render(samples);
    char* out = data;
    for (const float sample : samples) {
        for (int channel = 0; channel < myFormat.channelCount(); ++channel) {
            writeSample(sample, myFormat.sampleFormat(), out);
            out += sampleBytes;
        }
    }
    return frames * frameBytes;
}

AudioTonePlayer::AudioTonePlayer(QObject* parent) : QObject(parent) {
    // A sink left playing into Qt's audio backend's teardown is what the
    // process must never do.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, &AudioTonePlayer::finish);
    }
}

AudioTonePlayer::~AudioTonePlayer() {
    finish();
}

void AudioTonePlayer::play(double frequency) {
    finish();
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    // Looking at the outputs starts Qt's audio backend, if capture has not.
    static std::once_flag devicesLooked;
    std::call_once(devicesLooked, endProcessBeforeAudioBackendTeardown);
    if (device.isNull()) {
        if (!myMissingOutputLogged) {
            systemLog("No audio output: the strings' tones cannot be played");
            myMissingOutputLogged = true;
        }
        return;
    }
    const QAudioFormat format = outputFormat(device);
    myTone = new PluckedToneDevice(frequency, format, this);
    // Unbuffered: a release is heard after the sink's buffer, not a read-ahead more.
    myTone->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    mySink = std::make_unique<QAudioSink>(device, format);
    mySink->setBufferSize(format.bytesForDuration(BUFFER_MILLISECONDS * 1000));
    // Running dry means the tone and its silence have been played.
    // Later, not inside the sink's own signal; and only if no newer tone
    // has replaced this one by then.
    QAudioSink* sink = mySink.get();
    connect(sink, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState) {
            QMetaObject::invokeMethod(
                this,
                [this, sink] {
                    if (mySink.get() == sink) {
                        finish();
                    }
                },
                Qt::QueuedConnection);
        }
    });
    mySink->start(myTone);
    // The first start makes Qt's PulseAudio engine (see AudioBackendExit.hpp).
    static std::once_flag engineMade;
    std::call_once(engineMade, endProcessBeforeAudioBackendTeardown);
    if (mySink->error() != QAudio::NoError) {
        systemLog("Audio output \"%s\" cannot play (error %d)", qPrintable(device.description()),
                  static_cast<int>(mySink->error()));
        finish();
    }
}

void AudioTonePlayer::stop() {
    if (myTone != nullptr) {
        myTone->release();
    }
}

bool AudioTonePlayer::isPlaying() const {
    return mySink != nullptr && mySink->state() == QAudio::ActiveState;
}

void AudioTonePlayer::finish() {
    if (mySink) {
        disconnect(mySink.get(), nullptr, this, nullptr);
        mySink->stop();
        mySink.reset();
    }
    delete myTone;
    myTone = nullptr;
}

} // namespace ovra
