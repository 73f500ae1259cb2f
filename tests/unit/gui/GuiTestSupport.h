#pragma once
// A headless application for framework tests.
#include <gtest/gtest.h>

#include <memory>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/host/headless/THeadlessHost.h"

class GuiTest : public ::testing::Test {
protected:
    GuiTest() {
        RegisterStandardClasses();
        FApp = std::make_unique<TApplication>(&FHost);
        FApp->SetTitle("test");
    }
    ~GuiTest() override { FApp.reset(); }

    THeadlessHost FHost;
    std::unique_ptr<TApplication> FApp;
};
