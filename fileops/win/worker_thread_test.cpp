// Worker and message threads for real: steps run only after Resume, Stop
// with and without force against a step that will not return, and the
// hidden window that carries messages to its own thread.
#include "fileops/win/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "fileops/win/message_thread.h"

namespace {

bool waitUntil(const std::atomic<int>& value, int atLeast) {
    for (int i = 0; i < 500 && value.load() < atLeast; ++i) Sleep(10);
    return value.load() >= atLeast;
}

// Counts its steps and ends after `limit` of them.
class CountingWorker : public WorkerThread {
public:
    explicit CountingWorker(int limit) : limit_(limit) {}
    ~CountingWorker() override { Stop(INFINITE, true); }
    std::atomic<int> steps{0};

protected:
    bool Step() override {
        Sleep(1);
        return ++steps < limit_;
    }

private:
    int limit_;
};

// Each step blocks on an event the test holds.
class BlockedWorker : public WorkerThread {
public:
    BlockedWorker() : release(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~BlockedWorker() override {
        SetEvent(release.get());
        Stop(INFINITE, true);
    }
    UniqueHandle release;
    std::atomic<int> entered{0};
    std::atomic<int> finished{0};

protected:
    bool Step() override {
        ++entered;
        WaitForSingleObject(release.get(), INFINITE);
        ++finished;
        return true;
    }
};

HANDLE duplicate(HANDLE thread) {
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return copy;
}

}  // namespace

TEST(WorkerThread, StepsStartOnlyOnResumeAndEndWhenStepSaysSo) {
    CountingWorker worker(5);
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(worker.Start());  // one thread per object
    ASSERT_NE(worker.ThreadHandle(), nullptr);
    EXPECT_NE(worker.ThreadId(), 0u);
    Sleep(50);
    EXPECT_EQ(worker.steps.load(), 0);  // created suspended

    UniqueHandle thread(duplicate(worker.ThreadHandle()));
    worker.Resume();
    ASSERT_EQ(WaitForSingleObject(thread.get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(worker.steps.load(), 5);
    DWORD code = 99;
    GetExitCodeThread(thread.get(), &code);
    EXPECT_EQ(code, 0u);

    EXPECT_EQ(worker.Stop(1000, false), WAIT_OBJECT_0);
    EXPECT_EQ(worker.ThreadHandle(), nullptr);
    EXPECT_EQ(worker.Stop(0, false), WAIT_OBJECT_0);  // nothing left to stop
}

TEST(WorkerThread, SuspendHoldsTheStepsAndStopEndsAfterTheCurrentStep) {
    CountingWorker worker(1 << 30);
    ASSERT_TRUE(worker.Start());
    worker.Resume();
    ASSERT_TRUE(waitUntil(worker.steps, 3));
    worker.Suspend();
    Sleep(20);
    int held = worker.steps.load();
    Sleep(100);
    EXPECT_EQ(worker.steps.load(), held);
    worker.Resume();
    EXPECT_TRUE(waitUntil(worker.steps, held + 3));

    // Stop resumes a suspended thread so that it can see the flag.
    worker.Suspend();
    UniqueHandle thread(duplicate(worker.ThreadHandle()));
    EXPECT_EQ(worker.Stop(5000, false), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeThread(thread.get(), &code);
    EXPECT_EQ(code, 0u);
}

TEST(WorkerThread, StopWithoutForceLeavesABlockedThreadRunningWithItsHandle) {
    BlockedWorker worker;
    ASSERT_TRUE(worker.Start());
    worker.Resume();
    ASSERT_TRUE(waitUntil(worker.entered, 1));

    EXPECT_EQ(worker.Stop(100, false), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_NE(worker.ThreadHandle(), nullptr);
    DWORD code = 0;
    GetExitCodeThread(worker.ThreadHandle(), &code);
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));

    // Released, the step finishes and the loop sees the cleared flag.
    SetEvent(worker.release.get());
    EXPECT_EQ(worker.Stop(5000, false), WAIT_OBJECT_0);
    EXPECT_EQ(worker.ThreadHandle(), nullptr);
    EXPECT_EQ(worker.entered.load(), 1);
    EXPECT_EQ(worker.finished.load(), 1);
}

TEST(WorkerThread, StopWithForceTerminatesABlockedThreadAndClosesItsHandle) {
    BlockedWorker worker;
    ASSERT_TRUE(worker.Start());
    worker.Resume();
    ASSERT_TRUE(waitUntil(worker.entered, 1));
    UniqueHandle thread(duplicate(worker.ThreadHandle()));

    EXPECT_EQ(worker.Stop(100, true), WAIT_OBJECT_0);
    EXPECT_EQ(worker.ThreadHandle(), nullptr);
    DWORD code = 0;
    GetExitCodeThread(thread.get(), &code);
    EXPECT_EQ(code, WorkerThread::TerminatedExitCode);
    EXPECT_EQ(worker.finished.load(), 0);  // the step never got past its wait

    // The object can run again after a forced stop.
    ResetEvent(worker.release.get());
    ASSERT_TRUE(worker.Start());
    worker.Resume();
    EXPECT_TRUE(waitUntil(worker.entered, 2));
}

namespace {

class RecordingMessageThread : public MessageThread {
public:
    RecordingMessageThread() : handled(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~RecordingMessageThread() override { Stop(INFINITE); }

    UniqueHandle handled;
    std::atomic<int> calls{0};
    std::atomic<UINT> message{0};
    std::atomic<WPARAM> wp{0};
    std::atomic<LPARAM> lp{0};
    std::atomic<DWORD> thread{0};

protected:
    LRESULT OnThreadMessage(UINT m, WPARAM w, LPARAM l) override {
        ++calls;
        message = m;
        wp = w;
        lp = l;
        thread = GetCurrentThreadId();
        SetEvent(handled.get());
        return 0x1234;
    }
};

}  // namespace

TEST(MessageThread, OwnsAHiddenWindowOfItsClassOnItsOwnThread) {
    RecordingMessageThread worker;
    ASSERT_TRUE(worker.Start());
    EXPECT_TRUE(worker.IsRunning());
    HWND window = worker.Window();
    ASSERT_TRUE(IsWindow(window));
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "CBThreadChildWnd");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowTextLengthA(window), 0);
    DWORD owner = GetWindowThreadProcessId(window, nullptr);
    EXPECT_NE(owner, GetCurrentThreadId());
    EXPECT_EQ(owner, GetThreadId(worker.ThreadHandle()));

    EXPECT_TRUE(worker.SetPriority(THREAD_PRIORITY_LOWEST));
    EXPECT_EQ(GetThreadPriority(worker.ThreadHandle()), THREAD_PRIORITY_LOWEST);

    UniqueHandle thread(duplicate(worker.ThreadHandle()));
    EXPECT_EQ(worker.Stop(5000), WAIT_OBJECT_0);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(WaitForSingleObject(thread.get(), 0), WAIT_OBJECT_0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(worker.Window(), nullptr);
    EXPECT_FALSE(worker.Post(WM_USER, 0, 0));
}

TEST(MessageThread, PassesUserMessagesToTheThreadAndOthersToTheDefault) {
    RecordingMessageThread worker;
    ASSERT_TRUE(worker.Start());
    DWORD owner = GetWindowThreadProcessId(worker.Window(), nullptr);

    ASSERT_TRUE(worker.Post(WM_USER + 7, 11, 22));
    ASSERT_EQ(WaitForSingleObject(worker.handled.get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(worker.message.load(), static_cast<UINT>(WM_USER + 7));
    EXPECT_EQ(worker.wp.load(), 11u);
    EXPECT_EQ(worker.lp.load(), 22);
    EXPECT_EQ(worker.thread.load(), owner);

    // A sent message comes back with the low byte of the answer only.
    EXPECT_EQ(SendMessageA(worker.Window(), WM_USER, 1, 2), 0x34);

    // Below WM_USER the window's own handling answers.
    int before = worker.calls.load();
    EXPECT_EQ(SendMessageA(worker.Window(), WM_USER - 1, 0, 0), 0);
    EXPECT_EQ(SendMessageA(worker.Window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), TRUE);
    EXPECT_EQ(worker.calls.load(), before);
    EXPECT_EQ(worker.Stop(5000), WAIT_OBJECT_0);
}
