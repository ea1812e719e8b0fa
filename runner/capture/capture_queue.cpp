#include "runner/capture/capture_queue.h"

#include <algorithm>
#include <csignal>
#include <pthread.h>
#include <sys/resource.h>

namespace runner {

namespace {
constexpr int workerNiceness = 10;
} // namespace

CaptureQueue::CaptureQueue(std::unique_ptr<FrameSink> sink, int workers, int buffers)
    : sink_(std::move(sink)) {
    if (workers <= 0) {
        workers = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
    }
    slots_.resize(static_cast<std::size_t>(buffers > 0 ? buffers : workers + 2));
    // The workers take no signals: SIGINT and SIGTERM stay with the thread that runs the message loop,
    // and a write into a closed pipe fails with EPIPE, reported as any failed write, instead of ending
    // the process.
    sigset_t blocked;
    sigset_t previous;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &blocked, &previous);
    for (int i = 0; i < workers; ++i) {
        threads_.emplace_back([this] { work(); });
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

CaptureQueue::~CaptureQueue() {
    finish();
}

CaptureQueue::Slot& CaptureQueue::slotOf(const CapturedFrame* frame) {
    return *std::find_if(slots_.begin(), slots_.end(), [frame](const Slot& s) { return &s.frame == frame; });
}

CapturedFrame* CaptureQueue::acquire(int number, int width, int height) {
    std::unique_lock lock(mutex_);
    Slot* slot = nullptr;
    slotFreed_.wait(lock, [&] {
        const auto free =
            std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return s.state == State::Free; });
        slot = free == slots_.end() ? nullptr : &*free;
        return failed_ || finished_ || slot;
    });
    if (failed_ || finished_) {
        return nullptr;
    }
    slot->state = State::Filling;
    slot->frame.number = number;
    slot->frame.width = width;
    slot->frame.height = height;
    return &slot->frame;
}

void CaptureQueue::submit(CapturedFrame* frame) {
    {
        std::lock_guard lock(mutex_);
        Slot& slot = slotOf(frame);
        if (!begun_) {
            sink_->begin(frame->width, frame->height);
            begun_ = true;
        }
        slot.sequence = nextSequence_++;
        slot.state = State::Queued;
        queued_.push_back(&slot);
    }
    frameQueued_.notify_one();
}

void CaptureQueue::release(CapturedFrame* frame) {
    {
        std::lock_guard lock(mutex_);
        slotOf(frame).state = State::Free;
    }
    slotFreed_.notify_one();
}

std::string CaptureQueue::error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

void CaptureQueue::fail(const std::string& error) {
    if (!failed_) {
        error_ = error;
        failed_ = true;
        slotFreed_.notify_all();
    }
}

void CaptureQueue::work() {
    // The workers yield to the render: they encode in its gaps, which shortens the run where the render
    // keeps the processors busy (the queue's bound stops the render once it is that far ahead). The nice
    // value is the thread's own on Linux.
    setpriority(PRIO_PROCESS, 0, getpriority(PRIO_PROCESS, 0) + workerNiceness);
    std::unique_lock lock(mutex_);
    for (;;) {
        frameQueued_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
        if (queued_.empty()) {
            return;
        }
        Slot* slot = queued_.front();
        queued_.pop_front();
        slot->state = State::Encoding;
        // After a failure the frame is only passed along, so that the frames behind it are freed in order.
        if (!failed_) {
            lock.unlock();
            slot->encodedOk = sink_->encode(slot->frame, slot->encoded, slot->encodeError);
            lock.lock();
        }
        slot->state = State::Encoded;
        storeInOrder(lock);
    }
}

void CaptureQueue::storeInOrder(std::unique_lock<std::mutex>& lock) {
    if (storing_) {
        return; // the worker that is storing takes this frame when its turn comes
    }
    storing_ = true;
    for (;;) {
        const auto next = std::find_if(slots_.begin(), slots_.end(), [this](const Slot& s) {
            return s.state == State::Encoded && s.sequence == nextToStore_;
        });
        if (next == slots_.end()) {
            break;
        }
        if (!failed_ && !next->encodedOk) {
            fail(next->encodeError);
        }
        if (!failed_) {
            std::string error;
            lock.unlock();
            const bool stored = sink_->store(next->frame, next->encoded, error);
            lock.lock();
            if (!stored) {
                fail(error);
            }
        }
        next->state = State::Free;
        ++nextToStore_;
        slotFreed_.notify_one();
    }
    storing_ = false;
}

bool CaptureQueue::finish() {
    {
        std::lock_guard lock(mutex_);
        if (finished_) {
            return !failed_;
        }
        stopping_ = true;
    }
    frameQueued_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
    std::string error;
    const bool closed = sink_->finish(error);
    std::lock_guard lock(mutex_);
    if (!closed) {
        fail(error);
    }
    finished_ = true;
    slotFreed_.notify_all();
    return !failed_;
}

} // namespace runner
