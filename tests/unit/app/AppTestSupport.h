#pragma once
// The whole main window on the headless host with the scripted browser and
// a registry file of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/AppClasses.h"
#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "gui/TApplication.h"
#include "gui/TWebBrowser.h"
#include "gui/host/headless/THeadlessHost.h"
#include "platform/browser/fake/TFakeBrowserEngine.h"
#include "platform/browser/fake/TFakeBrowserFactory.h"
#include "skin/TskComboBox.h"
#include "skin/TskImagePanel.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"

class AppTest : public ::testing::Test {
protected:
    AppTest() {
        FDir = std::filesystem::temp_directory_path() /
               ("xf-app-" + std::to_string(::getpid()) + "-" + std::to_string(++Counter()));
        std::filesystem::create_directories(FDir);
        FRegistry = (FDir / "registry.reg").string();
        ::setenv("XINGFAN_REGISTRY", FRegistry.c_str(), 1);
        FApp = std::make_unique<TApplication>(&FHost);
        FApp->SetTitle("星帆IE");
        FEngines = std::make_unique<platform::TFakeBrowserFactory>(
            [](std::function<void()> step) { Application->Queue(std::move(step)); });
        platform::SetBrowserEngineFactory(FEngines.get());
        RegisterAppClasses();
    }
    ~AppTest() override {
        FApp.reset();
        platform::SetBrowserEngineFactory(nullptr);
        std::filesystem::remove_all(FDir);
    }

    // Creates and shows the main window, then lets the start-up settle.
    TFrmMain& Start() {
        FForm = new TFrmMain(nullptr);
        FApp->SetMainForm(FForm);
        FForm->Show();
        Settle();
        return *FForm;
    }
    void Settle() {
        for (int i = 0; i < 20; ++i) FApp->ProcessMessages();
    }
    platform::TFakeBrowserEngine& EngineOf(TWebBrowser* browser) {
        return static_cast<platform::TFakeBrowserEngine&>(browser->Engine());
    }
    TWebBrowser* TabBrowser(int page) {
        if (page == 0) return FForm->FrameWebBrowserDefault->WebAction;
        return FForm->DownloadIE->Frames().at(static_cast<size_t>(page - 1))->WebAction;
    }
    static int& Counter() {
        static int counter = 0;
        return counter;
    }

    std::filesystem::path FDir;
    std::string FRegistry;
    THeadlessHost FHost;
    std::unique_ptr<TApplication> FApp;
    std::unique_ptr<platform::TFakeBrowserFactory> FEngines;
    TFrmMain* FForm = nullptr;
};
