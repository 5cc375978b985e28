// The capture object's delegate: held while the object lives, and safe to
// replace while a capture thread reads it.
#include "CaptureTestSupport.hpp"

namespace ovra {
namespace {

TEST(CaptureObject, DelegateIsRetainedAndReleasedWithTheObject) {
    auto trapper = CorvaneAudioTrapper::create(nullptr);
    auto delegate = std::make_shared<test::RecordingDelegate>();
    std::weak_ptr<test::RecordingDelegate> watch = delegate;
    trapper->setDelegate(delegate);
    delegate.reset();
    EXPECT_FALSE(watch.expired());
    trapper.reset();
    EXPECT_TRUE(watch.expired());
}

TEST(CaptureObject, DelegateReadWhileReplacedStaysValid) {
    auto trapper = CorvaneAudioTrapper::create(nullptr);
    std::atomic<bool> done{false};
    std::atomic<int> calls{0};
    std::thread reader([&] {
        while (!done.load()) {
            if (auto d = trapper->delegate()) {
                d->refreshGUIFromAnotherThread();
                calls.fetch_add(1);
            }
        }
    });
    std::vector<std::shared_ptr<test::RecordingDelegate>> all;
    for (int i = 0; i < 2000; ++i) {
        all.push_back(std::make_shared<test::RecordingDelegate>());
        trapper->setDelegate(all.back());
    }
    trapper->setDelegate(nullptr);
    done.store(true);
    reader.join();
    EXPECT_EQ(trapper->delegate(), nullptr);
    // Every call reached one of the delegates, whole.
    int received = 0;
    for (const auto& d : all) {
        received += d->count();
    }
    EXPECT_EQ(received, calls.load());
}

} // namespace
} // namespace ovra
