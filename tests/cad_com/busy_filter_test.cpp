// The message filter's answers to a busy CAD, and its place on the thread.
#include <gtest/gtest.h>

#include "cad/com/busy_filter.h"

namespace {

using cad::com::BusyFilter;

constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

TEST(BusyFilter, RetriesRejectedCallsUntilTheLimitThenGivesUp) {
    struct Case {
        DWORD rejectType;
        DWORD elapsedMs;
        DWORD answer;
        int waits;  // times the hint line is told
    };
    const Case cases[] = {
        {SERVERCALL_RETRYLATER, 0, 250, 1},       {SERVERCALL_RETRYLATER, 9999, 250, 1},
        {SERVERCALL_REJECTED, 5000, 250, 1},      {SERVERCALL_RETRYLATER, 10000, kGiveUp, 0},
        {SERVERCALL_REJECTED, 60000, kGiveUp, 0}, {SERVERCALL_ISHANDLED, 0, kGiveUp, 0},
    };
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (const Case& c : cases) {
        int waits = 0;
        BusyFilter filter({10000, 250}, [&] { ++waits; });
        EXPECT_EQ(filter.RetryRejectedCall(nullptr, c.elapsedMs, c.rejectType), c.answer)
            << c.rejectType << " after " << c.elapsedMs << " ms";
        EXPECT_EQ(waits, c.waits);
        EXPECT_EQ(filter.MessagePending(nullptr, c.elapsedMs, PENDINGTYPE_TOPLEVEL),
                  DWORD(PENDINGMSG_WAITDEFPROCESS));
    }
    CoUninitialize();
}

TEST(BusyFilter, IsTheThreadsFilterWhileItLivesAndPutsThePreviousOneBack) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        BusyFilter outer({}, {});
        {
            BusyFilter inner({}, {});
            IMessageFilter* current = nullptr;
            CoRegisterMessageFilter(&inner, &current);
            EXPECT_EQ(current, &inner);
        }
        IMessageFilter* current = nullptr;
        CoRegisterMessageFilter(&outer, &current);
        EXPECT_EQ(current, &outer);
    }
    IMessageFilter* current = nullptr;
    CoRegisterMessageFilter(nullptr, &current);
    EXPECT_EQ(current, nullptr);
    CoUninitialize();
}

}  // namespace
