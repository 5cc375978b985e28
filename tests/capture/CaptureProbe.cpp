// Runs the capture object on a microphone for a while in a process of its
// own, for tests that need a particular sound-server environment.
//   capture_probe [--seconds S] [--no-stop]
// Prints "notification <fundamental> at <ms since start>" per analysed buffer and "done" at the
// end (on standard error, so that standard output holds only queue lines).
#include "capture/CorvaneAudioTrapper.hpp"
#include "capture/MicrophoneAudioQueue.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class PrintingDelegate : public ovra::AudioTrapperDelegate {
public:
    explicit PrintingDelegate(const ovra::CorvaneAudioTrapper* trapper) : myTrapper(trapper) {
        myClock.start();
    }
    void refreshGUIFromAnotherThread() override {
        std::fprintf(stderr, "notification %.2f at %lld ms\n",
                     myTrapper->mostRecentFundamentalFrequency(),
                     static_cast<long long>(myClock.elapsed()));
    }

private:
    const ovra::CorvaneAudioTrapper* myTrapper;
    QElapsedTimer myClock; // from just before start
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    double seconds = 1.0;
    bool stop = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::stod(argv[++i]);
        } else if (std::strcmp(argv[i], "--no-stop") == 0) {
            stop = false;
        } else {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    auto trapper = ovra::CorvaneAudioTrapper::create(ovra::microphoneAudioQueueFactory());
    trapper->setDelegate(std::make_shared<PrintingDelegate>(trapper.get()));
    trapper->startAudioTrapper();
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, [&] {
        if (stop) {
            trapper->stopAudioTrapper();
        }
        app.quit();
    });
    app.exec();
    std::fprintf(stderr, "done\n");
    return 0;
}
