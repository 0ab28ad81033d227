#include "sim/step_threads.h"
#include "sim/engine_state.h"

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>
#include <unistd.h>

namespace zb {

namespace {

// The worker thread and what it is handed. Created with the first step on two threads.
class StepWorker {
  public:
    // Starts the thread; false when it could not be started.
    bool launch() {
        try {
            thread_ = std::thread([this] { run(); });
            return true;
        } catch (...) {
            return false;
        }
    }

    bool start(void (*job)(void*), void* arg) {
        try {
            std::lock_guard lock(mutex_);
            job_ = job;
            arg_ = arg;
            done_.store(false, std::memory_order_relaxed);
            ++posted_;
        } catch (...) {
            return false;
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

    // Ends the thread; the worker may be deleted then.
    void stop() {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_.join();
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
    std::thread thread_;
    void (*job_)(void*) = nullptr;
    void* arg_ = nullptr;
    uint64_t posted_ = 0;
    std::atomic<bool> done_{true};
    bool quit_ = false;
};

// A process-wide resource rather than engine state: restoreLoadState ends it, and so does the
// library's unloading. A forked child has no such thread, and its copy of the worker's mutex
// and condition variables may never be touched again (a condition variable's destruction
// would wait for the parent's waiting thread): the child leaves it alone and steps alone.
StepWorker* gStepWorker = nullptr;
pid_t gStepWorkerOwner = 0;

struct StepWorkerEnd {
    ~StepWorkerEnd() { stopStepWorker(); }
} gStepWorkerEnd;

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
    if (gStepWorker && gStepWorkerOwner != getpid())
        return false;
    if (!gStepWorker) {
        StepWorker* w = new (std::nothrow) StepWorker;
        if (!w)
            return false;
        if (!w->launch()) {
            delete w;
            return false;
        }
        gStepWorker = w;
        gStepWorkerOwner = getpid();
    }
    return gStepWorker->start(job, arg);
}

void finishWorkerJob() {
    gStepWorker->finish();
}

void stopStepWorker() {
    if (!gStepWorker || gStepWorkerOwner != getpid())
        return;
    try {
        gStepWorker->stop();
        delete gStepWorker;
    } catch (...) {
        // Locking or joining failed, which nothing here can cause: the worker is left as it is.
    }
    gStepWorker = nullptr;
}

} // namespace zb
