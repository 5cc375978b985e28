// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileAnalysis.hpp"

#include "analysis/AnalysisCallback.hpp"
#include "analysis/AudioFileDecoder.hpp"
#include "analysis/CaptureRecord.hpp"
#include "engine/FrequencySmoother.hpp"
#include "model/TunerDisplayModel.hpp"

#include <algorithm>
#include <memory>

namespace ovra {

namespace {

// Plays the tuner screen's part: every notification becomes one refresh of
// the display model, recorded as a row.
class RefreshRecorder : public AudioTrapperDelegate {
public:
    RefreshRecorder(const CorvaneInputCallbackDataStruct& record, const AnalyzeOptions& options,
                    std::string name, const RowSink& sink)
        : myRecord(record), myOptions(options), myName(std::move(name)), mySink(sink) {
        myModel.setTuning(*options.tuning, options.referencePitch);
        // Automatic mode starts on string 0, as the screen does when the
        // stored selection is the magic key.
        myModel.tuningKeyHit(options.fixedString < 0 ? MAGIC_KEY_INDEX : options.fixedString);
    }

    void setBufferStart(double seconds) { myBufferStart = seconds; }

    // Called synchronously from callbackForAudio on this thread.
    void refreshGUIFromAnotherThread() override {
        AnalysisRow row;
        row.file = myName;
        row.timeSeconds = myBufferStart;
        row.topAmplitude = myRecord.myTopAmplitude.load();
        row.modeFrequency = myRecord.myMostRecentModeFrequency.load();
        row.fundamentalFrequency = myRecord.myMostRecentFundamentalFrequency.load();
        row.rawPeakPower = myRecord.myRawPeakPower.load();

        const RefreshOutcome outcome = myModel.refresh(
            row.topAmplitude, row.fundamentalFrequency, row.rawPeakPower, myOptions.threshold,
            myOptions.hyperactive, &mySmoother, NeedlePoints{});
        row.loud = outcome.meter != RefreshOutcome::Meter::Dim;
        row.displayFrequency = outcome.displayFrequency;
        row.cents = outcome.cents;
        if (outcome.readout) {
            row.note = outcome.readout->note;
        }
        row.activeString = myModel.activeTuningKeyIndex();
        row.litLeds = outcome.litLeds;
        mySink(row);
    }

private:
    const CorvaneInputCallbackDataStruct& myRecord;
    const AnalyzeOptions& myOptions;
    std::string myName;
    const RowSink& mySink;
    TunerDisplayModel myModel;
    FrequencySmoother mySmoother;
    double myBufferStart = 0.0;
};

class RecorderSource : public AudioTrapperDelegateSource {
public:
    explicit RecorderSource(std::shared_ptr<RefreshRecorder> recorder)
        : myRecorder(std::move(recorder)) {}
    std::shared_ptr<AudioTrapperDelegate> delegate() const override { return myRecorder; }

private:
    std::shared_ptr<RefreshRecorder> myRecorder;
};

// Hands one buffer of 2048 samples to the capture callback, as a queue would.
void deliver(CorvaneInputCallbackDataStruct& record, RefreshRecorder& recorder,
             const int16_t* samples, uint64_t firstSample) {
    AudioQueueBuffer queueBuffer;
    // The callback only reads the samples.
    queueBuffer.mAudioData = const_cast<int16_t*>(samples);
    queueBuffer.mAudioDataBytesCapacity = CAPTURE_FRAMES_PER_BUFFER * sizeof(int16_t);
    queueBuffer.mAudioDataByteSize = queueBuffer.mAudioDataBytesCapacity;
    recorder.setBufferStart(static_cast<double>(firstSample) / CAPTURE_SAMPLE_RATE);
    callbackForAudio(&record, nullptr, &queueBuffer);
}

// Fine tuning, as the tuner's capture does it: hops of 512 samples through
// the hopping callback, which analyses the latest 2048 once it has them. The
// stream is padded with silence to a whole hop (and to one window at least),
// so that every sample is analysed, as the last, partial buffer is padded
// without fine tuning.
void analyzeHops(const std::vector<int16_t>& samples, CorvaneInputCallbackDataStruct& record,
                 RefreshRecorder& recorder) {
    size_t padded = std::max<size_t>(samples.size(), CAPTURE_FRAMES_PER_BUFFER);
    padded +=
        (FINE_TUNING_HOP_FRAMES - (padded - CAPTURE_FRAMES_PER_BUFFER) % FINE_TUNING_HOP_FRAMES) %
        FINE_TUNING_HOP_FRAMES;
    std::vector<int16_t> hop(FINE_TUNING_HOP_FRAMES);
    AudioQueueBuffer hopBuffer{FINE_TUNING_HOP_FRAMES * sizeof(int16_t), hop.data(),
                               FINE_TUNING_HOP_FRAMES * sizeof(int16_t)};
    for (size_t start = 0; start < padded; start += FINE_TUNING_HOP_FRAMES) {
        const size_t count =
            start < samples.size() ? std::min<size_t>(hop.size(), samples.size() - start) : 0;
        std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(start), count, hop.begin());
        std::fill(hop.begin() + static_cast<std::ptrdiff_t>(count), hop.end(), 0);
        // A window that this hop completes starts 2048 samples before its end.
        const size_t end = start + FINE_TUNING_HOP_FRAMES;
        if (end >= CAPTURE_FRAMES_PER_BUFFER) {
            recorder.setBufferStart(static_cast<double>(end - CAPTURE_FRAMES_PER_BUFFER) /
                                    CAPTURE_SAMPLE_RATE);
        }
        hoppingCallbackForAudio(&record, nullptr, &hopBuffer);
    }
}

} // namespace

void analyzeSamples(const std::string& name, const std::vector<int16_t>& samples,
                    const AnalyzeOptions& options, const RowSink& sink) {
    // A record of its own, fed directly: no capture object, no threads.
    CorvaneInputCallbackDataStruct record;
    record.myFramesPerBuffer = CAPTURE_FRAMES_PER_BUFFER;
    record.myQuorl = std::make_unique<Quorl>(static_cast<float>(CAPTURE_SAMPLE_RATE));
    auto recorder = std::make_shared<RefreshRecorder>(record, options, name, sink);
    const RecorderSource source(recorder);
    record.myAudioTrapper = &source;
    if (options.fine) {
        record.myFineTuning = true;
        analyzeHops(samples, record, *recorder);
        return;
    }

    std::vector<int16_t> buffer(CAPTURE_FRAMES_PER_BUFFER);
    for (size_t start = 0, index = 0; start < samples.size();
         start += CAPTURE_FRAMES_PER_BUFFER, ++index) {
        const size_t count = std::min<size_t>(CAPTURE_FRAMES_PER_BUFFER, samples.size() - start);
        std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(start), count, buffer.begin());
        // The last, partial buffer is padded with silence.
        std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(count), buffer.end(), 0);
        deliver(record, *recorder, buffer.data(), index * CAPTURE_FRAMES_PER_BUFFER);
    }
}

bool analyzeFile(const std::string& path, const AnalyzeOptions& options, const RowSink& sink,
                 std::string& error) {
    DecodedAudio audio;
    if (!decodeAudioFile(path, audio, error)) {
        return false;
    }
    analyzeSamples(path, audio.samples, options, sink);
    return true;
}

} // namespace ovra
