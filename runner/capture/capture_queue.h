#pragma once
// Captured frames are encoded and stored off the render thread. The render thread takes a buffer, reads
// a frame into it and submits it; worker threads encode frames in parallel, and whichever worker finds
// the next frame in capture order encoded stores it, so a sink sees its frames one at a time and in
// order. A fixed number of buffers bounds the memory: when every one is in use, the render thread waits
// for the disk. After the first failure nothing more is encoded or stored.
#include "runner/capture/frame_sink.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace runner {

class CaptureQueue {
public:
    // `workers` threads (0: one a processor, at most 4); `buffers` frames held at most (0: workers + 2).
    explicit CaptureQueue(std::unique_ptr<FrameSink> sink, int workers = 0, int buffers = 0);
    // Finishes if finish was not called.
    ~CaptureQueue();
    CaptureQueue(const CaptureQueue&) = delete;
    CaptureQueue& operator=(const CaptureQueue&) = delete;

    // A buffer for a frame of width x height, its layout and pixels to be filled in (the buffer keeps
    // its memory from frame to frame); waits while every buffer is in use. Null once the capture has
    // failed.
    CapturedFrame* acquire(int number, int width, int height);
    // Hands a frame from acquire to the workers.
    void submit(CapturedFrame* frame);
    // Gives a frame from acquire back without storing it.
    void release(CapturedFrame* frame);

    // Whether a frame could not be encoded or stored; error() says why.
    bool failed() const { return failed_; }
    std::string error() const;

    // Stores every submitted frame, stops the workers and completes the sink. False if anything failed.
    bool finish();

    int workers() const { return static_cast<int>(threads_.size()); }

private:
    enum class State { Free, Filling, Queued, Encoding, Encoded };
    struct Slot {
        CapturedFrame frame;
        std::vector<std::uint8_t> encoded;
        State state = State::Free;
        std::uint64_t sequence = 0;
        bool encodedOk = false;
        std::string encodeError;
    };

    void work();
    // Stores the encoded frames that are next in order; the lock is let go while the sink works.
    void storeInOrder(std::unique_lock<std::mutex>& lock);
    void fail(const std::string& error);
    Slot& slotOf(const CapturedFrame* frame);

    std::unique_ptr<FrameSink> sink_;
    std::vector<Slot> slots_;
    std::vector<std::thread> threads_;
    mutable std::mutex mutex_;
    std::condition_variable slotFreed_;
    std::condition_variable frameQueued_;
    std::deque<Slot*> queued_;
    std::uint64_t nextSequence_ = 0;
    std::uint64_t nextToStore_ = 0;
    bool begun_ = false;
    bool storing_ = false;
    bool stopping_ = false;
    bool finished_ = false;
    std::string error_;
    std::atomic<bool> failed_{false};
};

} // namespace runner
