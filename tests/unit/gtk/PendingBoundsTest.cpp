#include <gtest/gtest.h>

#include "gui/host/gtk/TPendingBounds.h"

namespace {
const TRect a = TRect::FromSize(10, 10, 300, 200);
const TRect b = TRect::FromSize(50, 40, 300, 200);
const TRect c = TRect::FromSize(50, 40, 640, 480);
} // namespace

TEST(PendingBounds, OwnRequestsComingBackAreNotEchoed) {
    TPendingBounds pending;
    pending.Requested(a, 0);
    EXPECT_FALSE(pending.Configured(a, 5));
    EXPECT_TRUE(pending.Empty());
    // A request overtaken by a newer one: its late report must not move
    // the form back.
    pending.Requested(b, 10);
    pending.Requested(c, 11);
    EXPECT_FALSE(pending.Configured(b, 20));
    EXPECT_FALSE(pending.Configured(c, 21));
    EXPECT_TRUE(pending.Empty());
}

TEST(PendingBounds, MovesNobodyAskedForAreReported) {
    TPendingBounds pending;
    EXPECT_TRUE(pending.Configured(a, 0)) << "the first report is news";
    EXPECT_FALSE(pending.Configured(a, 1)) << "the same bounds again are not";
    EXPECT_TRUE(pending.Configured(b, 2));
}

TEST(PendingBounds, AnAlteredRequestIsReportedOnceNothingNewerIsOutstanding) {
    TPendingBounds pending;
    pending.Configured(a, 0);
    // The window system clamps a request to a minimum size.
    pending.Requested(TRect::FromSize(10, 10, 100, 50), 10);
    EXPECT_TRUE(pending.Configured(TRect::FromSize(10, 10, 300, 200), 20))
        << "unchanged bounds, but the form believes its request";
    pending.Requested(b, 30);
    pending.Requested(c, 31);
    EXPECT_FALSE(pending.Configured(TRect::FromSize(50, 40, 320, 200), 40)) << "c is still coming";
    EXPECT_FALSE(pending.Configured(c, 41));
}

TEST(PendingBounds, RequestsForTheCurrentBoundsOrThatNeverComeBackDoNotBlockReports) {
    TPendingBounds pending;
    pending.Configured(a, 0);
    pending.Requested(a, 10);
    EXPECT_TRUE(pending.Empty()) << "asking for what the window has gives no report";
    pending.Requested(b, 20);
    EXPECT_TRUE(pending.Configured(c, 20 + TPendingBounds::ExpiryMs + 1))
        << "an expired request no longer holds back the user's move";
}

TEST(PendingBounds, OutstandingRequestsAreBounded) {
    TPendingBounds pending;
    for (int i = 0; i < 100; ++i)
        pending.Requested(TRect::FromSize(i, 0, 10, 10), 0);
    // Only the newest are kept; the oldest of them comes back first.
    for (int i = 100 - static_cast<int>(TPendingBounds::MaxPending); i < 100; ++i)
        EXPECT_FALSE(pending.Configured(TRect::FromSize(i, 0, 10, 10), 1)) << i;
    EXPECT_TRUE(pending.Empty());
}
