#include "sim/step_threads.h"
#include "sim/engine_state.h"

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace zb {

namespace {

// A process-wide resource rather than engine state: restoreLoadState ends it first, and its
// destructor joins it when the library is unloaded. A forked child has no such thread: there it
// is forgotten, and the child steps alone.
class StepWorker {
  public:
    ~StepWorker() { stop(); }

    bool start(void (*job)(void*), void* arg) {
        try {
            std::unique_lock lock(mutex_);
            if (thread_ && owner_ != getpid())
                return false;
            if (!thread_) {
                quit_ = false;
                thread_ = new std::thread([this] { run(); });
                owner_ = getpid();
            }
            job_ = job;
            arg_ = arg;
            done_.store(false, std::memory_order_relaxed);
            ++posted_;
        } catch (...) {
            return false; // no thread: the caller steps alone
        }
        wake_.notify_one();
        return true;
    }

    void finish() {
        try {
            std::unique_lock lock(mutex_);
            finished_.wait(lock, [this] { return done_.load(std::memory_order_relaxed); });
        } catch (...) {
            while (!done_.load(std::memory_order_acquire))
                std::this_thread::yield();
        }
    }

    void stop() {
        if (!thread_ || owner_ != getpid())
            return;
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_->join();
        delete thread_;
        thread_ = nullptr;
    }

  private:
    void run() {
        uint64_t seen = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return quit_ || posted_ != seen; });
            if (quit_)
                return;
            seen = posted_;
            void (*job)(void*) = job_;
            void* arg = arg_;
            lock.unlock();
            job(arg);
            lock.lock();
            done_.store(true, std::memory_order_release);
            finished_.notify_one();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::thread* thread_ = nullptr; // a pointer, so that a forked child can forget it
    pid_t owner_ = 0;
    void (*job_)(void*) = nullptr;
    void* arg_ = nullptr;
    uint64_t posted_ = 0;
    std::atomic<bool> done_{true};
    bool quit_ = false;
};

StepWorker gStepWorker;

// 1 or 2 from ZB_THREADS, 0 when it is unset or anything else.
int threadsFromEnvironment() {
    static const int threads = [] {
        const char* v = std::getenv("ZB_THREADS");
        if (v && std::strcmp(v, "1") == 0)
            return 1;
        if (v && std::strcmp(v, "2") == 0)
            return 2;
        return 0;
    }();
    return threads;
}

} // namespace

int stepThreadCount(int64_t nx, int64_t ny) {
    if (ny < 4)
        return 1; // no room for two halves and the seam between them
    if (const int forced = threadsFromEnvironment())
        return forced;
    if (nx * ny < gEngine.twoThreadMinCells)
        return 1;
    switch (gEngine.stepThreads) {
    case 1:
        return 1;
    case 2:
        return 2;
    default: {
        // A property of the machine; asking costs a look into /sys every time.
        static const bool twoCores = std::thread::hardware_concurrency() >= 2;
        return twoCores ? 2 : 1;
    }
    }
}

bool startWorkerJob(void (*job)(void*), void* arg) {
    return gStepWorker.start(job, arg);
}

void finishWorkerJob() {
    gStepWorker.finish();
}

void stopStepWorker() {
    gStepWorker.stop();
}

} // namespace zb
