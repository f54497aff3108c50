#include "vorplan/common/bounded_array.h"

#include <gtest/gtest.h>

namespace {

TEST(BoundedArray, IndexedFromOneAndChecked)
{
    vor::BoundedArray<int, 3> a;
    a[1] = 10;
    a[3] = 30;
    EXPECT_EQ(a[1], 10);
    EXPECT_EQ(a[2], 0);
    EXPECT_EQ(a[3], 30);
    for (long bad : {0L, 4L, -1L})
        EXPECT_THROW(a[bad] = 1, vor::RangeError) << bad;
    const auto& c = a;
    EXPECT_THROW((void)c[4], vor::RangeError);
    a.Fill(7);
    EXPECT_EQ(a[2], 7);
}

}  // namespace
