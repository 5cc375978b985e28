// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/FileAudioQueue.hpp"

#include "analysis/AudioFileDecoder.hpp"
#include "capture/BufferRotationQueue.hpp"
#include "common/SystemLog.hpp"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace ovra {

namespace {

// The decoded file, shared by every queue of one factory so that each
// restart of capture does not decode it again.
class DecodedFile {
public:
    DecodedFile(std::string path, FileQueueOptions options)
        : myPath(std::move(path)), myOptions(std::move(options)) {}
    // Sound its caller has decoded already.
    DecodedFile(std::vector<int16_t> samples, FileQueueOptions options)
        : myOptions(std::move(options)), myDecoded(true),
          mySamples(std::make_shared<const std::vector<int16_t>>(std::move(samples))) {}

    // The samples, or null after logging why there are none.
    std::shared_ptr<const std::vector<int16_t>> samples() {
        std::lock_guard lock(myMutex);
        if (!myDecoded) {
            myDecoded = true;
            DecodedAudio audio;
            if (decodeAudioFile(myPath, audio, myError)) {
                mySamples = std::make_shared<const std::vector<int16_t>>(std::move(audio.samples));
            }
        }
        if (!mySamples) {
            systemLog("%s", myError.c_str());
        }
        return mySamples;
    }

    const FileQueueOptions& options() const { return myOptions; }

private:
    const std::string myPath;
    const FileQueueOptions myOptions;
    std::mutex myMutex;
    bool myDecoded = false;
    std::string myError;
    std::shared_ptr<const std::vector<int16_t>> mySamples;
};

class FileAudioQueue final : public BufferRotationQueue {
public:
    explicit FileAudioQueue(std::shared_ptr<DecodedFile> file) : myFile(std::move(file)) {}

protected:
    int32_t openInput(const AudioStreamBasicDescription& format) override {
        const bool supported = format.mFormatID == kAudioFormatLinearPCM &&
                               format.mSampleRate == DECODED_SAMPLE_RATE &&
                               format.mChannelsPerFrame == 1 && format.mBitsPerChannel == 16 &&
                               (format.mFormatFlags & kAudioFormatFlagIsSignedInteger) != 0 &&
                               (format.mFormatFlags & kAudioFormatFlagIsFloat) == 0 &&
                               (format.mFormatFlags & kAudioFormatFlagIsBigEndian) == 0;
        if (!supported) {
            return AUDIO_QUEUE_ERR_FORMAT;
        }
        mySamples = myFile->samples();
        return mySamples ? AUDIO_QUEUE_NO_ERR : AUDIO_QUEUE_ERR_FILE;
    }

    int32_t startInput() override {
        myTimer = std::make_unique<QTimer>();
        myTimer->setSingleShot(true);
        myTimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(myTimer.get(), &QTimer::timeout, [this] { tick(); });
        // As a device delivers: buffers of the size the queue was given.
        const uint32_t bufferSamples = nextBufferSampleCount();
        myBufferSamples = bufferSamples > 0 ? bufferSamples : DEFAULT_BUFFER_SAMPLES;
        myClock.start();
        scheduleNext();
        return AUDIO_QUEUE_NO_ERR;
    }

    void stopInput() override { myTimer.reset(); }

private:
    static constexpr int64_t DEFAULT_BUFFER_SAMPLES = 2048;

    // Buffer n is due when n + 1 buffers of sound have passed since start,
    // measured on one clock so that timer jitter does not add up.
    void scheduleNext() {
        const int64_t due = (myDue + 1) * myBufferSamples * 1000 / DECODED_SAMPLE_RATE;
        myTimer->start(static_cast<int>(std::max<int64_t>(0, due - myClock.elapsed())));
    }

    void tick() {
        const std::vector<int16_t>& samples = *mySamples;
        const size_t total = samples.size();
        myChunk.assign(static_cast<size_t>(myBufferSamples), 0);
        size_t filled = 0;
        while (filled < myChunk.size() && !myEnded) {
            const size_t take = std::min(myChunk.size() - filled, total - myPosition);
            std::copy_n(samples.begin() + static_cast<ptrdiff_t>(myPosition), take,
                        myChunk.begin() + static_cast<ptrdiff_t>(filled));
            filled += take;
            myPosition += take;
            if (myPosition == total) {
                if (myFile->options().loop) {
                    myPosition = 0;
                } else {
                    myEnded = true;
                }
            }
        }
        ++myDue;
        // Like a device, sound that finds no free buffer is lost.
        deliver(myChunk.data(), static_cast<uint32_t>(myChunk.size()));
        if (myEnded) {
            if (myFile->options().onEnd) {
                myFile->options().onEnd();
            }
            return;
        }
        scheduleNext();
    }

    std::shared_ptr<DecodedFile> myFile;
    std::shared_ptr<const std::vector<int16_t>> mySamples;
    std::unique_ptr<QTimer> myTimer;
    QElapsedTimer myClock;
    int64_t myDue = 0;
    int64_t myBufferSamples = DEFAULT_BUFFER_SAMPLES;
    size_t myPosition = 0;
    bool myEnded = false;
    std::vector<int16_t> myChunk;
};

} // namespace

namespace {

AudioQueueFactory factoryFor(std::shared_ptr<DecodedFile> file) {
    return [file = std::move(file)]() -> std::unique_ptr<AudioInputQueue> {
        return std::make_unique<FileAudioQueue>(file);
    };
}

} // namespace

AudioQueueFactory fileAudioQueueFactory(const std::string& path, FileQueueOptions options) {
    return factoryFor(std::make_shared<DecodedFile>(path, std::move(options)));
}

AudioQueueFactory fileAudioQueueFactory(std::vector<int16_t> samples, FileQueueOptions options) {
    return factoryFor(std::make_shared<DecodedFile>(std::move(samples), std::move(options)));
}

} // namespace ovra
