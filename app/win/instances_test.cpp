// The instance numbers, on the real platform.
#include "app/win/instances.h"

#include <gtest/gtest.h>

TEST(Instances, NumbersAreClaimedLowestFirstAndFreedOnRelease) {
    InstanceClaim a = claimInstanceNumber();
    InstanceClaim b = claimInstanceNumber();
    ASSERT_GE(a.number, 0);
    ASSERT_GT(b.number, a.number);
    int freed = a.number;
    a.lock.reset();
    InstanceClaim c = claimInstanceNumber();
    EXPECT_EQ(c.number, freed);
}
