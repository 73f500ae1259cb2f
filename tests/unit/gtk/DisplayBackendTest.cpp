#include <gtest/gtest.h>

#include "gui/host/gtk/TDisplayBackend.h"

using TVerdict = TDisplayBackend::TVerdict;

TEST(DisplayBackend, WaylandSessionsGoThroughTheirXWaylandDisplay) {
    EXPECT_EQ(TDisplayBackend::Choose("wayland", "wayland-0", ":1"), TVerdict::ThroughXWayland);
    EXPECT_EQ(TDisplayBackend::Choose(nullptr, "wayland-0", ":1"), TVerdict::ThroughXWayland)
        << "a Wayland session without GDK_BACKEND";
    EXPECT_EQ(TDisplayBackend::Choose("wayland,x11", "", ":1"), TVerdict::ThroughXWayland);
    EXPECT_EQ(TDisplayBackend::Choose("broadway", nullptr, ":1"), TVerdict::ThroughXWayland)
        << "any backend but X11 is served by the X display";
}

TEST(DisplayBackend, XSessionsAreLeftAlone) {
    EXPECT_EQ(TDisplayBackend::Choose(nullptr, nullptr, ":0"), TVerdict::X11);
    EXPECT_EQ(TDisplayBackend::Choose("", "", ":0"), TVerdict::X11);
    EXPECT_EQ(TDisplayBackend::Choose("x11", "wayland-0", ":0"), TVerdict::X11)
        << "an explicit X11 choice in a Wayland session needs no notice";
}

TEST(DisplayBackend, WithoutAnXDisplayTheErrorSaysWhatIsMissing) {
    EXPECT_EQ(TDisplayBackend::Choose("wayland", "wayland-0", nullptr), TVerdict::NoDisplay);
    EXPECT_EQ(TDisplayBackend::Choose(nullptr, nullptr, ""), TVerdict::NoDisplay);
    const std::string wayland = TDisplayBackend::NoDisplayError("wayland", "wayland-0");
    EXPECT_NE(wayland.find("XWayland"), std::string::npos) << wayland;
    EXPECT_NE(wayland.find("DISPLAY"), std::string::npos) << wayland;
    const std::string bare = TDisplayBackend::NoDisplayError(nullptr, nullptr);
    EXPECT_EQ(bare.find("Wayland"), std::string::npos) << bare;
    EXPECT_NE(TDisplayBackend::FallbackNotice(":7").find(":7"), std::string::npos);
}
