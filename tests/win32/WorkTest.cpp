// The background work under Wine's real threads: how its end waits for a job
// that runs, and how the program's end leaves a job stuck in the file system.
#include <stdexcept>

#include "ports/BackgroundWork.h"
#include "tests/win32/Support.h"
#include "win32/Program.h"

using namespace twinpath::wine;

// A job whose run waits at a gate that the test opens.
struct GatedJob final : Job {
    void run() override {
        ::SetEvent(started.get());
        ::WaitForSingleObject(gate.get(), 60000);
        ran = true;
        ::SetEvent(ended.get());
    }
    void finish() override { finished = true; }
    const win32::UniqueHandle started{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    const win32::UniqueHandle gate{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    const win32::UniqueHandle ended{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> ran = false, finished = false;
};

TEST(WorkerThreadTest, StopGivesUpOnAJobStuckPastTheLimitAndDropsTheJobsNotBegun) {
    auto stuck = std::make_shared<GatedJob>(), next = std::make_shared<GatedJob>();
    {
        win32::WorkerThread work;
        work.start(stuck);
        work.start(next);
        ASSERT_EQ(::WaitForSingleObject(stuck->started.get(), 10000), WAIT_OBJECT_0);
        EXPECT_FALSE(work.stop(50));
        EXPECT_FALSE(stuck->ran);
        EXPECT_EQ(next.use_count(), 1) << "the job not begun is still held";
    }
    // Let go, the stuck job ends on its own thread and is never finished on the window's.
    ::SetEvent(stuck->gate.get());
    ASSERT_EQ(::WaitForSingleObject(stuck->ended.get(), 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(stuck->finished || next->ran);
}

TEST(WorkerThreadTest, StopWaitsForAJobThatReturnsWithinTheLimitWithoutFinishingIt) {
    const auto job = std::make_shared<GatedJob>();
    win32::WorkerThread work;
    work.start(job);
    ASSERT_EQ(::WaitForSingleObject(job->started.get(), 10000), WAIT_OBJECT_0);
    const std::jthread opener([&] { ::SetEvent(job->gate.get()); });
    EXPECT_TRUE(work.stop(10000));
    EXPECT_TRUE(job->ran);
    work.finishEnded();
    EXPECT_FALSE(job->finished);
}

// However the program is left, a job stuck in a call on a dead share keeps
// what it reads through, and nothing it returns into has gone.
TEST(ProgramTest, LeavingWithAJobStuckInTheFileSystemTouchesNothingFreed) {
    struct Log {
        const win32::UniqueHandle entered{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        const win32::UniqueHandle gate{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        const win32::UniqueHandle returned{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        std::atomic<bool> destroyed = false, returnedIntoDestroyed = false;
    };
    // Its first call waits at the gate; the command line of this test names a
    // path, so the start reads it.
    struct StuckFileSystem final : win32::Win32FileSystem {
        explicit StuckFileSystem(std::shared_ptr<Log> log) : log(std::move(log)) {}
        ~StuckFileSystem() override { log->destroyed = true; }
        std::optional<std::uint32_t> attributes(const std::wstring&) override {
            const std::shared_ptr<Log> held = log;  // this object may be gone once the gate opens
            ::SetEvent(held->entered.get());
            ::WaitForSingleObject(held->gate.get(), 60000);
            if (held->destroyed) held->returnedIntoDestroyed = true;
            ::SetEvent(held->returned.get());
            return std::nullopt;
        }
        const std::shared_ptr<Log> log;
    };
    // Leaves the start by an exception once the first conversion is stuck.
    struct LeaveEarly final : win32::StartupSteps {
        void systemReady() override {
            ::WaitForSingleObject(log->entered.get(), 10000);
            throw std::runtime_error("left early");
        }
        std::shared_ptr<Log> log;
    };
    const auto log = std::make_shared<Log>();
    LeaveEarly steps;
    steps.log = log;
    EXPECT_THROW(
        win32::runProgram(::GetModuleHandleW(nullptr), SW_HIDE, {&steps, std::make_shared<StuckFileSystem>(log)}),
        std::runtime_error);
    ASSERT_EQ(::WaitForSingleObject(log->entered.get(), 0), WAIT_OBJECT_0) << "the start read nothing";
    EXPECT_FALSE(log->destroyed);
    ::SetEvent(log->gate.get());
    ASSERT_EQ(::WaitForSingleObject(log->returned.get(), 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(log->returnedIntoDestroyed);
    // The job lets go of it once done.
    EXPECT_TRUE(waitUntil([&] { return log->destroyed.load(); }));
}
