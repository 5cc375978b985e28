// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/MicrophoneAudioQueue.hpp"

#include "analysis/CaptureRecord.hpp"
#include "capture/AudioBackendExit.hpp"
#include "capture/AudioInputDevices.hpp"
#include "capture/BufferRotationQueue.hpp"
#include "capture/CaptureFormatConverter.hpp"
#include "common/SystemLog.hpp"

#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QPointer>

#include <cstring>
#include <mutex>
#include <vector>

namespace ovra {

namespace {

// Sound kept while no buffer is free; older sound is dropped (down to one
// buffer's worth), as a device drops what nobody reads.
constexpr size_t MAX_PENDING_SAMPLES = 4 * 2048;
constexpr size_t KEPT_SAMPLES = 2048;

class MicrophoneAudioQueue final : public BufferRotationQueue {
public:
    explicit MicrophoneAudioQueue(MicrophoneQueueOptions options)
        : myDeviceName(std::move(options.deviceName)), myForcedFormat(options.deviceFormat) {}

    bool wantsReopening() const override {
        if (myLost) {
            return true;
        }
        // Following the default: a new default input is worth moving to.
        return myDeviceName.isEmpty() && !myDeviceId.isEmpty() &&
               QMediaDevices::defaultAudioInput().id() != myDeviceId;
    }
    ~MicrophoneAudioQueue() override { stopInput(); }

protected:
    int32_t openInput(const AudioStreamBasicDescription& format) override {
        const bool pcm16 =
            format.mFormatID == kAudioFormatLinearPCM && format.mBitsPerChannel == 16 &&
            (format.mFormatFlags & kAudioFormatFlagIsSignedInteger) != 0 &&
            (format.mFormatFlags & (kAudioFormatFlagIsFloat | kAudioFormatFlagIsBigEndian |
                                    kAudioFormatFlagIsNonInterleaved)) == 0;
        if (!pcm16 || format.mChannelsPerFrame != 1 || format.mSampleRate < 1.0 ||
            format.mSampleRate > 384000.0) {
            return AUDIO_QUEUE_ERR_FORMAT;
        }
        const QAudioDevice device = findAudioInput(myDeviceName);
        if (device.isNull()) {
            if (!myDeviceName.isEmpty()) {
                systemLog("Audio input \"%s\" not found", qPrintable(myDeviceName));
                return AUDIO_QUEUE_ERR_NAMED_DEVICE;
            }
            return AUDIO_QUEUE_ERR_NO_DEVICE;
        }
        QAudioFormat wanted;
        wanted.setSampleRate(static_cast<int>(format.mSampleRate));
        wanted.setChannelCount(1);
        wanted.setSampleFormat(QAudioFormat::Int16);
        QAudioFormat opened = wanted;
        if (myForcedFormat.isValid()) {
            opened = myForcedFormat;
        } else if (!device.isFormatSupported(wanted)) {
            opened = device.preferredFormat();
        }
        if (opened != wanted) {
            myConverter = std::make_unique<CaptureFormatConverter>(opened);
            if (!opened.isValid() || !device.isFormatSupported(opened) || !myConverter->isValid() ||
                format.mSampleRate != CAPTURE_SAMPLE_RATE) {
                systemLog("Audio input \"%s\" takes neither %s nor %s",
                          qPrintable(device.description()), describeAudioFormat(wanted).c_str(),
                          describeAudioFormat(opened).c_str());
                myConverter.reset();
                return AUDIO_QUEUE_ERR_FORMAT;
            }
            systemLog("Audio input \"%s\" does not take %s; capturing %s and converting",
                      qPrintable(device.description()), describeAudioFormat(wanted).c_str(),
                      describeAudioFormat(opened).c_str());
        }
        myDeviceId = device.id();
        mySource = std::make_unique<QAudioSource>(device, opened);
        return AUDIO_QUEUE_NO_ERR;
    }

    int32_t startInput() override {
        myInput = mySource->start();
        // The first start has made Qt's second PulseAudio engine (see
        // AudioBackendExit.hpp): the process ends before its teardown too.
        static std::once_flag sourceEngineMade;
        std::call_once(sourceEngineMade, endProcessBeforeAudioBackendTeardown);
        if (myInput == nullptr || mySource->error() != QAudio::NoError) {
            myInput = nullptr;
            mySource->stop();
            return AUDIO_QUEUE_ERR_CANNOT_START;
        }
        QObject::connect(myInput, &QIODevice::readyRead, mySource.get(), [this] { readInput(); });
        QObject::connect(mySource.get(), &QAudioSource::stateChanged, mySource.get(),
                         [this](QAudio::State) { checkInput(); });
        return AUDIO_QUEUE_NO_ERR;
    }

    void stopInput() override {
        if (mySource) {
            // Every connection has the source as context: they go with it.
            QObject::disconnect(mySource.get(), nullptr, nullptr, nullptr);
            mySource->stop();
            mySource.reset();
        }
        myInput = nullptr;
        myPending.clear();
    }

private:
    void checkInput() {
        const QAudio::Error error = mySource ? mySource->error() : QAudio::NoError;
        if (!myLost && (error == QAudio::FatalError || error == QAudio::IOError)) {
            myLost = true;
            myPending.clear();
            systemLog("Audio input lost (error %d); capture will open it again",
                      static_cast<int>(error));
        }
    }

    void readInput() {
        if (myInput.isNull() || myLost) {
            return;
        }
        if (myConverter) {
            myConverter->convert(myInput->readAll(), myPending);
        } else {
            appendSamples(myInput->readAll());
        }
        deliverWholeBuffers();
    }

    void appendSamples(const QByteArray& bytes) {
        myOddBytes.append(bytes);
        const size_t whole = static_cast<size_t>(myOddBytes.size()) / sizeof(int16_t);
        if (whole == 0) {
            return;
        }
        const size_t oldSize = myPending.size();
        myPending.resize(oldSize + whole);
        std::memcpy(myPending.data() + oldSize, myOddBytes.constData(), whole * sizeof(int16_t));
        myOddBytes.remove(0, static_cast<qsizetype>(whole * sizeof(int16_t)));
    }

    void deliverWholeBuffers() {
        // Reassemble whole buffers from whatever read sizes arrive.
        size_t used = 0;
        for (;;) {
            const uint32_t wanted = nextBufferSampleCount();
            if (wanted == 0 || myPending.size() - used < wanted) {
                break;
            }
            deliver(myPending.data() + used, wanted);
            used += wanted;
            if (myInput.isNull()) {
                return;
            }
        }
        myPending.erase(myPending.begin(), myPending.begin() + static_cast<ptrdiff_t>(used));
        if (myPending.size() > MAX_PENDING_SAMPLES) {
            myPending.erase(myPending.begin(),
                            myPending.end() - static_cast<ptrdiff_t>(KEPT_SAMPLES));
        }
    }

    QString myDeviceName;
    QAudioFormat myForcedFormat;
    QByteArray myDeviceId;
    std::unique_ptr<CaptureFormatConverter> myConverter;
    std::unique_ptr<QAudioSource> mySource;
    // Owned by the source, which deletes it when the device fails.
    QPointer<QIODevice> myInput;
    QByteArray myOddBytes;
    std::vector<int16_t> myPending;
    bool myLost = false;
};

} // namespace

AudioQueueFactory microphoneAudioQueueFactory(const MicrophoneQueueOptions& options) {
    watchAudioInputs();
    return [options]() -> std::unique_ptr<AudioInputQueue> {
        return std::make_unique<MicrophoneAudioQueue>(options);
    };
}

AudioQueueFactory microphoneAudioQueueFactory(const QString& deviceName) {
    MicrophoneQueueOptions options;
    options.deviceName = deviceName;
    return microphoneAudioQueueFactory(options);
}

} // namespace ovra
