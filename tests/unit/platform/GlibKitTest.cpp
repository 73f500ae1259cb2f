// The owners of GLib values and the callback rule: references counted
// right (floating ones included), out-parameters released, and an
// exception stopped at the callback and reported.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/glib/GlibPtr.h"
#include "platform/glib/TCallbackGuard.h"

using namespace platform;

namespace {

guint RefCount(gpointer object) {
    return G_OBJECT(object)->ref_count;
}

TEST(GlibKitTest, ObjectReferencesAreCountedOnceAndReleased) {
    GObject* raw = G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr));
    {
        TGObjectPtr<GObject> owner(raw);
        EXPECT_EQ(RefCount(raw), 1u);
        {
            auto second = TGObjectPtr<GObject>::Ref(raw);
            EXPECT_EQ(RefCount(raw), 2u);
            TGObjectPtr<GObject> moved(std::move(second));
            EXPECT_FALSE(second);
            EXPECT_EQ(RefCount(raw), 2u);
        }
        EXPECT_EQ(RefCount(raw), 1u);
        g_object_ref(raw); // kept past the owner to look at the count
    }
    EXPECT_EQ(RefCount(raw), 1u);
    g_object_unref(raw);
}

TEST(GlibKitTest, FloatingObjectsAreClaimedOnlyWhenAskedTo) {
    GObject* floating = G_OBJECT(g_object_new(G_TYPE_INITIALLY_UNOWNED, nullptr));
    ASSERT_TRUE(g_object_is_floating(floating));
    {
        // An emitter held for the length of a callback stays floating, so
        // whoever adopts it later still can.
        auto hold = TGObjectPtr<GObject>::Ref(floating);
        EXPECT_TRUE(g_object_is_floating(floating));
        EXPECT_EQ(RefCount(floating), 2u);
    }
    EXPECT_EQ(RefCount(floating), 1u);
    {
        auto owner = TGObjectPtr<GObject>::Adopt(floating);
        EXPECT_FALSE(g_object_is_floating(floating));
        EXPECT_EQ(RefCount(floating), 1u);
        g_object_ref(floating);
    }
    EXPECT_EQ(RefCount(floating), 1u);
    g_object_unref(floating);

    GObject* widgetLike = G_OBJECT(g_object_new(G_TYPE_INITIALLY_UNOWNED, nullptr));
    auto kept = TGObjectPtr<GObject>::RefSink(widgetLike);
    EXPECT_FALSE(g_object_is_floating(widgetLike));
    EXPECT_EQ(RefCount(widgetLike), 1u);
}

TEST(GlibKitTest, StringsAndErrorsAreReadAndFreed) {
    TGCharPtr text(g_strdup_printf("%s-%d", "星帆", 7));
    EXPECT_EQ(text.Str(), "星帆-7");
    EXPECT_EQ(TGCharPtr().Str(), "");

    TGErrorPtr error;
    gchar* contents = nullptr;
    EXPECT_FALSE(g_file_get_contents("/nonexistent/xingfan", &contents, nullptr, error.Out()));
    ASSERT_TRUE(error);
    EXPECT_NE(error.Message().find("xingfan"), std::string::npos);
    // Used again as an out-parameter, the first error is released, not leaked
    // (the sanitizer build would say so).
    EXPECT_FALSE(g_file_get_contents("/nonexistent/again", &contents, nullptr, error.Out()));
    EXPECT_EQ(contents, nullptr);
    EXPECT_NE(error.Message().find("again"), std::string::npos);
}

TEST(GlibKitTest, AnExceptionStopsAtTheCallbackAndIsReported) {
    std::string reported;
    TCallbackGuard::SetReporter([&](const char* what) { reported = what; });
    testing::internal::CaptureStderr();
    bool ran = TCallbackGuard::Run([] { throw std::runtime_error("页面已关闭"); });
    std::string err = testing::internal::GetCapturedStderr();
    TCallbackGuard::SetReporter(nullptr);
    EXPECT_FALSE(ran);
    EXPECT_EQ(reported, "页面已关闭");
    EXPECT_NE(err.find("页面已关闭"), std::string::npos);

    reported.clear();
    EXPECT_TRUE(TCallbackGuard::Run([] {}));
    EXPECT_TRUE(reported.empty());
    // A reporter that throws itself does not get past the guard either.
    TCallbackGuard::SetReporter([](const char*) { throw 1; });
    testing::internal::CaptureStderr();
    EXPECT_FALSE(TCallbackGuard::Run([] { throw 2; }));
    testing::internal::GetCapturedStderr();
    TCallbackGuard::SetReporter(nullptr);
}

} // namespace
