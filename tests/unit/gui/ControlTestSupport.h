#pragma once
// Helpers for the standard-control tests: a form on the headless host,
// pictures written to a temporary folder or registered as resources, and
// pixel reads from the form's back buffer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/TForm.h"
#include "gui/graphics/TBitmap.h"
#include "platform/Resources.h"

class ControlFixture : public GuiTest {
protected:
    ControlFixture() {
        FForm = new TForm(nullptr);
        FForm->SetBounds(0, 0, 400, 300);
        FForm->SetColor(clWhite);
    }
    ~ControlFixture() override {
        delete FForm;
        std::error_code ec;
        if (!FTempDir.empty()) std::filesystem::remove_all(FTempDir, ec);
    }

    void ShowForm() {
        FForm->Show();
        FApp->ProcessMessages();
    }
    THostWindow Window() { return FForm->HostWindow(); }
    // Paints what is pending and reads a pixel of the form's back buffer.
    TColor PixelAt(int x, int y) {
        FApp->ProcessMessages();
        return FForm->BackBuffer().GetPixel(x, y);
    }
    void Click(TPoint p) {
        FHost.Click(Window(), p);
        FApp->ProcessMessages();
    }
    void Key(int vk, char16_t ch = 0) {
        FHost.KeyEvent(Window(), WM_KEYDOWN, vk, 0, ch);
        FHost.KeyEvent(Window(), WM_KEYUP, vk, 0, 0);
        FApp->ProcessMessages();
    }
    void KeyWith(int modifier, int vk, char16_t ch = 0) {
        FHost.KeyEvent(Window(), WM_KEYDOWN, modifier);
        Key(vk, ch);
        FHost.KeyEvent(Window(), WM_KEYUP, modifier);
        FApp->ProcessMessages();
    }
    void Type(const std::u16string& text) {
        FHost.TypeText(Window(), text);
        FApp->ProcessMessages();
    }

    std::string TempDir() {
        if (FTempDir.empty()) {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "xf-controls-XXXXXX").string();
            std::vector<char> buf(pattern.begin(), pattern.end());
            buf.push_back('\0');
            FTempDir = mkdtemp(buf.data());
        }
        return FTempDir;
    }
    // A w x h bitmap whose pixels come from `color(x, y)`.
    static void Fill(TBitmap& bmp, int w, int h, const std::function<TColor(int, int)>& color) {
        bmp.SetSize(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                bmp.SetPixel(x, y, color(x, y));
    }
    std::string WritePicture(const std::string& name, int w, int h,
                             const std::function<TColor(int, int)>& color) {
        TBitmap bmp;
        Fill(bmp, w, h, color);
        std::string path = TempDir() + "/" + name;
        bmp.SaveToFile(path);
        return path;
    }
    // Registers the picture as an embedded resource named `name`.
    static void RegisterPicture(const std::string& name, int w, int h,
                                const std::function<TColor(int, int)>& color) {
        TBitmap bmp;
        Fill(bmp, w, h, color);
        static std::vector<std::vector<uint8_t>> keep;
        keep.push_back(bmp.SaveToBmp());
        platform::RegisterResource(name, keep.back().data(), keep.back().size());
    }

    TForm* FForm;
    std::string FTempDir;
};
