// tests/common/abort_test.cpp: an abandoned operation travels as its own type, which neither a
// handler of error codes nor one of the standard exceptions takes for its own; a handler that
// ends an operation tells an abort and an out-of-memory from a fault of the program.
#include "common/abort.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <new>
#include <stdexcept>
#include <vector>

TEST(Abort, TravelsAsItsOwnTypeNeverAsAnErrorCodeOrAStandardException)
{
    EXPECT_THROW(ThrowAbort(), COperationAborted);
    bool takenForSomethingElse = false;
    try {
        try {
            ThrowAbort();
        } catch (int) {
            takenForSomethingElse = true;
        } catch (const std::exception&) {
            takenForSomethingElse = true;
        }
    } catch (const COperationAborted&) {
    }
    EXPECT_FALSE(takenForSomethingElse);
}

namespace {

struct CDerivedAbort : COperationAborted {};

struct Thrown {
    const char* name;
    std::function<void()> raise;
    bool abandons; // false: a fault of the program, thrown on
    AbandonCause cause;
};

const std::vector<Thrown>& EveryKind()
{
    static const std::vector<Thrown> kinds{
        {"abort", [] { ThrowAbort(); }, true, AbandonCause::Aborted},
        {"derived abort", [] { throw CDerivedAbort(); }, true, AbandonCause::Aborted},
        {"out of memory", [] { throw std::bad_alloc(); }, true, AbandonCause::OutOfMemory},
        {"size past its limit", [] { throw std::length_error("too long"); }, true,
         AbandonCause::OutOfMemory},
        {"logic error", [] { throw std::logic_error("broken"); }, false, AbandonCause::Aborted},
        {"error code", [] { throw 1; }, false, AbandonCause::Aborted},
    };
    return kinds;
}

/// Runs the handler a program's operation has: catch everything, put back, then ask.
template <class Ask> void Handle(const Thrown& kind, Ask ask)
{
    try {
        kind.raise();
    } catch (...) {
        ask();
    }
}

} // namespace

TEST(Abort, AHandlerEndsAbandonedOperationsAndThrowsFaultsOn)
{
    for (const Thrown& kind : EveryKind()) {
        SCOPED_TRACE(kind.name);
        test_support::Prompt().TakeMessages();
        if (!kind.abandons) {
            EXPECT_ANY_THROW(Handle(kind, [] { CauseOfAbandon(); }));
            EXPECT_ANY_THROW(Handle(kind, [] { EndAbandonedOperation(); }));
            EXPECT_TRUE(test_support::Prompt().TakeMessages().empty());
            continue;
        }
        AbandonCause quiet{}, reported{};
        std::exception_ptr thrown;
        if (kind.cause == AbandonCause::OutOfMemory)
            test_support::Prompt().Answer(IDOK);
        Handle(kind, [&] { quiet = CauseOfAbandon(); });
        Handle(kind, [&] { reported = EndAbandonedOperation(); });
        Handle(kind, [&] { thrown = std::current_exception(); });
        const AbandonCause kept = CauseOfAbandon(thrown);
        EXPECT_EQ(quiet, kind.cause);
        EXPECT_EQ(reported, kind.cause);
        EXPECT_EQ(kept, kind.cause);
        const auto shown = test_support::Prompt().TakeMessages();
        if (kind.cause == AbandonCause::OutOfMemory) {
            ASSERT_EQ(shown.size(), 1u) << "only the operation's handler reports";
            EXPECT_EQ(shown[0].text, "Memory error");
        } else {
            EXPECT_TRUE(shown.empty());
        }
    }
}

TEST(Abort, AFaultThrownOnIsTheVeryExceptionThrown)
{
    try {
        try {
            throw std::logic_error("the first");
        } catch (...) {
            EndAbandonedOperation();
        }
        FAIL();
    } catch (const std::logic_error& fault) {
        EXPECT_STREQ(fault.what(), "the first");
    }
}
