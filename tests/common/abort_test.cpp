// tests/common/abort_test.cpp: an abandoned operation travels as its own type, which neither a
// handler of error codes nor one of the standard exceptions takes for its own.
#include "common/abort.h"

#include <gtest/gtest.h>

#include <exception>

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
