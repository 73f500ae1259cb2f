#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/TForm.h"
#include "gui/graphics/TBitmap.h"

using FormBufferTest = GuiTest;

// Sizing a form many times over (a layout loading) costs one buffer at the
// size it ends with; whoever looks at the buffer sees the form's size.
TEST_F(FormBufferTest, TheBufferTakesTheFormsSizeWhenNextUsed) {
    auto* form = new TForm(FApp.get());
    form->SetBounds(0, 0, 300, 200);
    ASSERT_EQ(form->BackBuffer().Width(), 300);
    form->BackBuffer().SetPixel(10, 10, clRed);
    for (int step = 1; step <= 20; ++step)
        form->SetBounds(0, 0, 300 + step * 40, 200 + step * 20);
    EXPECT_EQ(form->HostBackBuffer()->Width(), 300) << "sized on every SetBounds";
    TBitmap& buffer = form->BackBuffer();
    EXPECT_EQ(buffer.Width(), 1100);
    EXPECT_EQ(buffer.Height(), 600);
    EXPECT_EQ(buffer.GetPixel(10, 10), clRed) << "what was painted is kept";
}

TEST_F(FormBufferTest, AShownFormPaintsAndPresentsAtItsNewSize) {
    auto* form = new TForm(FApp.get());
    form->SetCaptionBits(false);
    form->SetColor(clBlue);
    form->SetBounds(0, 0, 200, 100);
    form->Show();
    FApp->ProcessMessages();
    form->SetBounds(0, 0, 120, 260);
    form->PaintInvalid();
    const TBitmap* shown = form->HostBackBuffer();
    ASSERT_EQ(shown->Width(), 120);
    ASSERT_EQ(shown->Height(), 260);
    EXPECT_EQ(shown->GetPixel(60, 250), clBlue);
}
