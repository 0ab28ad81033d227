// The second thread of the step: one worker, started with the first step that wants it and
// parked between steps, so that a step pays a wake-up, never a thread's creation.
#pragma once

#include <cstdint>

namespace zb {

// Below this many cells a second thread gains little or loses: waking it costs tens of
// microseconds (measured: 0.4-0.6 of one thread's speed at 100 x 100, about 1.1 at 200 x 200).
constexpr int64_t kTwoThreadMinCells = 300 * 300;

// Threads for the next step of an nx x ny pool: 1 or 2. ZB_THREADS (1 or 2) in the environment
// decides for every size, then gEngine.stepThreads; by default two where the machine has two
// cores. Two only on pools of at least twoThreadMinCells cells and four rows.
int stepThreadCount(int64_t nx, int64_t ny);

// Starts job(arg) on the worker. False when there is no worker (it could not be started): then
// nothing runs. Otherwise finishWorkerJob must follow.
bool startWorkerJob(void (*job)(void*), void* arg);

// Returns once the job started last is done.
void finishWorkerJob();

// Ends the worker, if there is one; the next step that wants it starts a new one.
void stopStepWorker();

} // namespace zb
