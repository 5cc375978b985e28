// Runs the capture object on a microphone for a while in a process of its
// own, on the virtual microphone.
//   capture_probe [--seconds S] [--device-format RATE:CHANNELS:float|int16]
// Prints "notification <fundamental>" per analysed buffer and "done" at the
// end (on standard error, so that standard output holds only queue lines). --device-format opens
// the input in that format and converts.
#include "capture/CorvaneAudioTrapper.hpp"
#include "capture/MicrophoneAudioQueue.hpp"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class PrintingDelegate : public ovra::AudioTrapperDelegate {
public:
    explicit PrintingDelegate(const ovra::CorvaneAudioTrapper* trapper) : myTrapper(trapper) {}
    void refreshGUIFromAnotherThread() override {
        std::fprintf(stderr, "notification %.2f\n", myTrapper->mostRecentFundamentalFrequency());
    }

private:
    const ovra::CorvaneAudioTrapper* myTrapper;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    double seconds = 1.0;
    ovra::MicrophoneQueueOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::stod(argv[++i]);
        } else if (std::strcmp(argv[i], "--device-format") == 0 && i + 1 < argc) {
            const QStringList parts = QString::fromLocal8Bit(argv[++i]).split(':');
            if (parts.size() != 3) {
                std::fprintf(stderr, "--device-format wants RATE:CHANNELS:TYPE\n");
                return 2;
            }
            options.deviceFormat.setSampleRate(parts[0].toInt());
            options.deviceFormat.setChannelCount(parts[1].toInt());
            options.deviceFormat.setSampleFormat(parts[2] == "float" ? QAudioFormat::Float
                                                                     : QAudioFormat::Int16);
        } else {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    auto trapper = ovra::CorvaneAudioTrapper::create(ovra::microphoneAudioQueueFactory(options));
    trapper->setDelegate(std::make_shared<PrintingDelegate>(trapper.get()));
    trapper->startAudioTrapper();
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, [&] {
        trapper->stopAudioTrapper();
        app.quit();
    });
    app.exec();
    std::fprintf(stderr, "done\n");
    return 0;
}
