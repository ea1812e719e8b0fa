// The writer queue: frames stored one at a time in capture order whatever order the workers finish
// them in, memory held to its buffers while storing is slow, and nothing stored after a failure.
#include "runner/capture/capture_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Encodes a frame as its number; encoding takes a time that varies from frame to frame, so workers
// finish out of order. Storing can be watched (before and after), and made to fail at a frame.
class RecordingSink final : public runner::FrameSink {
public:
    void begin(int width, int height) override {
        beginWidth = width;
        beginHeight = height;
    }
    bool encode(const runner::CapturedFrame& frame, std::vector<std::uint8_t>& encoded,
                std::string& error) const override {
        std::this_thread::sleep_for(std::chrono::microseconds((frame.number * 7919) % 3000));
        encoded.assign(1, static_cast<std::uint8_t>(frame.number));
        encoded.push_back(frame.pixels.at(0));
        if (frame.number == failEncodingAt) {
            error = "cannot encode frame " + std::to_string(frame.number);
            return false;
        }
        return true;
    }
    bool store(const runner::CapturedFrame& frame, const std::vector<std::uint8_t>& encoded,
               std::string& error) override {
        EXPECT_EQ(storing.fetch_add(1), 0) << "two frames stored at once";
        if (watch) {
            watch(frame);
        }
        {
            std::lock_guard lock(mutex);
            stored.push_back(frame.number);
            EXPECT_EQ(encoded[0], static_cast<std::uint8_t>(frame.number));
            EXPECT_EQ(encoded[1], static_cast<std::uint8_t>(frame.number * 3));
        }
        if (watch) {
            watch(frame);
        }
        --storing;
        if (frame.number == failStoringAt) {
            error = "cannot write frame " + std::to_string(frame.number);
            return false;
        }
        return true;
    }
    bool finish(std::string&) override {
        finished = true;
        return true;
    }
    std::vector<int> storedFrames() {
        std::lock_guard lock(mutex);
        return stored;
    }

    int failEncodingAt = -1;
    int failStoringAt = -1;
    std::function<void(const runner::CapturedFrame&)> watch;
    std::atomic<int> storing{0};
    bool finished = false;
    int beginWidth = 0;
    int beginHeight = 0;

private:
    std::mutex mutex;
    std::vector<int> stored;
};

// Captures frames 0..count-1 (their first byte is number * 3); false once acquire refuses.
bool captureFrames(runner::CaptureQueue& queue, int count, int width = 4, int height = 2) {
    for (int i = 0; i < count; ++i) {
        runner::CapturedFrame* frame = queue.acquire(i, width, height);
        if (!frame) {
            return false;
        }
        EXPECT_EQ(frame->width, width);
        EXPECT_EQ(frame->height, height);
        frame->pixels.assign(static_cast<std::size_t>(width * height * 4), static_cast<std::uint8_t>(i * 3));
        queue.submit(frame);
    }
    return true;
}

std::vector<int> upTo(int count) {
    std::vector<int> numbers;
    for (int i = 0; i < count; ++i) {
        numbers.push_back(i);
    }
    return numbers;
}

TEST(CaptureQueue, FramesAreStoredInCaptureOrderOneAtATime) {
    auto sink = std::make_unique<RecordingSink>();
    RecordingSink& recording = *sink;
    runner::CaptureQueue queue(std::move(sink), 3);
    EXPECT_EQ(queue.workers(), 3);
    EXPECT_TRUE(captureFrames(queue, 60, 8, 6));
    // A frame taken and given back is neither encoded nor stored.
    queue.release(queue.acquire(99, 8, 6));
    EXPECT_TRUE(queue.finish());
    EXPECT_EQ(recording.storedFrames(), upTo(60));
    EXPECT_TRUE(recording.finished);
    EXPECT_EQ(recording.beginWidth, 8);
    EXPECT_EQ(recording.beginHeight, 6);
    EXPECT_FALSE(queue.failed());
    EXPECT_EQ(queue.acquire(60, 8, 6), nullptr);
}

// The disk is slower than the capture: each frame is stored only once the capturing thread has asked for
// the buffer of the frame three after it. The capturing thread is handed three buffers, and a buffer
// again only once the frame in it has been stored.
TEST(CaptureQueue, ASlowDiskMakesTheCapturingThreadWaitInsteadOfHoldingMoreFrames) {
    auto sink = std::make_unique<RecordingSink>();
    RecordingSink& recording = *sink;
    runner::CaptureQueue queue(std::move(sink), 2, 3);
    std::mutex mutex;
    std::condition_variable askedMore;
    int asked = 0;                                  // frames the capturing thread has asked a buffer for
    std::vector<const runner::CapturedFrame*> held; // the buffer each frame was handed, by frame number
    recording.watch = [&](const runner::CapturedFrame& frame) {
        std::unique_lock lock(mutex);
        askedMore.wait(lock, [&] { return asked > frame.number + 3 || asked == 20; });
        for (std::size_t later = static_cast<std::size_t>(frame.number) + 1; later < held.size(); ++later) {
            EXPECT_NE(held[later], &frame) << "frame " << later << " was handed the buffer of frame "
                                           << frame.number << " before it was stored";
        }
    };
    std::thread capturing([&] {
        for (int i = 0; i < 20; ++i) {
            {
                std::lock_guard lock(mutex);
                ++asked;
            }
            askedMore.notify_all();
            runner::CapturedFrame* frame = queue.acquire(i, 4, 2);
            frame->pixels.assign(32, static_cast<std::uint8_t>(i * 3));
            {
                std::lock_guard lock(mutex);
                held.push_back(frame);
            }
            queue.submit(frame);
        }
    });
    capturing.join();
    EXPECT_TRUE(queue.finish());
    EXPECT_EQ(recording.storedFrames(), upTo(20));
    std::vector<const runner::CapturedFrame*> buffers = held;
    std::sort(buffers.begin(), buffers.end());
    EXPECT_EQ(std::unique(buffers.begin(), buffers.end()) - buffers.begin(), 3);
}

TEST(CaptureQueue, AFailureStopsTheCaptureAndKeepsTheFirstReason) {
    for (const bool inEncoding : {false, true}) {
        SCOPED_TRACE(inEncoding ? "encoding fails" : "storing fails");
        auto sink = std::make_unique<RecordingSink>();
        RecordingSink& recording = *sink;
        (inEncoding ? recording.failEncodingAt : recording.failStoringAt) = 5;
        runner::CaptureQueue queue(std::move(sink), 2);
        // The capturing thread learns of the failure at a later acquire, which then refuses.
        EXPECT_FALSE(captureFrames(queue, 1000));
        EXPECT_TRUE(queue.failed());
        EXPECT_FALSE(queue.finish());
        EXPECT_EQ(queue.error(), inEncoding ? "cannot encode frame 5" : "cannot write frame 5");
        EXPECT_EQ(recording.storedFrames(), upTo(inEncoding ? 5 : 6));
        EXPECT_TRUE(recording.finished);
    }
}

} // namespace
