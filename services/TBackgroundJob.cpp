#include "services/TBackgroundJob.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "services/THttpAntiFreeze.h"

namespace {

struct TJobState {
    std::mutex Lock;
    std::condition_variable Finished;
    bool Done = false;
    std::exception_ptr Error;
    std::atomic<bool> Cancel{false};
};

// Joins the thread however the wait ends, cancelling first when the wait
// did not see the work finish, so no thread outlives its caller.
class TJoinGuard {
public:
    TJoinGuard(std::thread& thread, TJobState& state) : FThread(thread), FState(state) {}
    ~TJoinGuard() {
        FState.Cancel = true;
        if (FThread.joinable()) FThread.join();
    }

private:
    std::thread& FThread;
    TJobState& FState;
};

void Pump() {
    if (THttpAntiFreeze* freeze = THttpAntiFreeze::Current()) freeze->DoProcess(true);
}

} // namespace

bool TBackgroundJob::Run(TWork work, const TGoOn& goOn) {
    TJobState state;
    std::thread thread([&state, work = std::move(work)] {
        try {
            work(state.Cancel);
        } catch (...) {
            state.Error = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(state.Lock);
        state.Done = true;
        state.Finished.notify_all();
    });
    {
        TJoinGuard guard(thread, state);
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(state.Lock);
                if (state.Finished.wait_for(lock, PumpInterval, [&] { return state.Done; })) break;
            }
            Pump();
            if (goOn && !goOn()) return false;
        }
    }
    if (state.Error) std::rethrow_exception(state.Error);
    return true;
}
