#include "capture/MicrophoneAudioQueue.hpp"

#include "capture/AudioInputDevices.hpp"
#include "capture/BufferRotationQueue.hpp"
#include "common/SystemLog.hpp"

#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QPointer>

#include <cstring>
#include <vector>

namespace ovra {

namespace {

// Sound kept while no buffer is free; older sound is dropped (down to one
// buffer's worth), as a device drops what nobody reads.
constexpr size_t MAX_PENDING_SAMPLES = 4 * 2048;
constexpr size_t KEPT_SAMPLES = 2048;

class MicrophoneAudioQueue final : public BufferRotationQueue {
public:
    explicit MicrophoneAudioQueue(QString deviceName) : myDeviceName(std::move(deviceName)) {}
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
            }
            return AUDIO_QUEUE_ERR_NO_DEVICE;
        }
        QAudioFormat audioFormat;
        audioFormat.setSampleRate(static_cast<int>(format.mSampleRate));
        audioFormat.setChannelCount(1);
        audioFormat.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(audioFormat)) {
            return AUDIO_QUEUE_ERR_FORMAT;
        }
        mySource = std::make_unique<QAudioSource>(device, audioFormat);
        return AUDIO_QUEUE_NO_ERR;
    }

    int32_t startInput() override {
        myInput = mySource->start();
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
            systemLog("Audio input lost (error %d); no more sound until capture restarts",
                      static_cast<int>(error));
        }
    }

    void readInput() {
        if (myInput.isNull() || myLost) {
            return;
        }
        myOddBytes.append(myInput->readAll());
        const size_t whole = static_cast<size_t>(myOddBytes.size()) / sizeof(int16_t);
        if (whole == 0) {
            return;
        }
        const size_t oldSize = myPending.size();
        myPending.resize(oldSize + whole);
        std::memcpy(myPending.data() + oldSize, myOddBytes.constData(), whole * sizeof(int16_t));
        myOddBytes.remove(0, static_cast<qsizetype>(whole * sizeof(int16_t)));

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
    std::unique_ptr<QAudioSource> mySource;
    // Owned by the source, which deletes it when the device fails.
    QPointer<QIODevice> myInput;
    QByteArray myOddBytes;
    std::vector<int16_t> myPending;
    bool myLost = false;
};

} // namespace

AudioQueueFactory microphoneAudioQueueFactory(const QString& deviceName) {
    return [deviceName]() -> std::unique_ptr<AudioInputQueue> {
        return std::make_unique<MicrophoneAudioQueue>(deviceName);
    };
}

} // namespace ovra
