#include <gtest/gtest.h>

#include "gui/host/gtk/TClickTracker.h"

TEST(ClickTracker, SecondQuickNearPressIsTheDoubleClickAndAThirdStartsAgain) {
    TClickTracker clicks(400, 5);
    EXPECT_FALSE(clicks.Press(1, 1000, {100, 100}));
    EXPECT_TRUE(clicks.Press(1, 1300, {104, 97}));
    EXPECT_FALSE(clicks.Press(1, 1400, {104, 97}));
    EXPECT_TRUE(clicks.Press(1, 1500, {104, 97}));
}

TEST(ClickTracker, SlowFarOrOtherButtonPressesAreSingle) {
    TClickTracker clicks(400, 5);
    EXPECT_FALSE(clicks.Press(1, 1000, {100, 100}));
    EXPECT_FALSE(clicks.Press(1, 1401, {100, 100})) << "too slow";
    EXPECT_FALSE(clicks.Press(1, 1500, {106, 100})) << "too far";
    EXPECT_FALSE(clicks.Press(3, 1600, {106, 100})) << "another button";
    EXPECT_TRUE(clicks.Press(3, 1700, {106, 100}));
}

TEST(ClickTracker, ResetAndClockWrap) {
    TClickTracker clicks(400, 5);
    clicks.Press(1, 1000, {0, 0});
    clicks.Reset();
    EXPECT_FALSE(clicks.Press(1, 1100, {0, 0}));
    EXPECT_TRUE(clicks.Press(1, 1200, {0, 0}));
    EXPECT_FALSE(clicks.Press(1, 0xFFFFFF00u, {0, 0}));
    EXPECT_TRUE(clicks.Press(1, 0x40u, {0, 0})) << "the server's clock wrapped";
}
