// The Internet options dialog driven through its buttons, without the modal
// loop; the scripted factory answers the removals from the queue.
#include "AppTestSupport.h"
#include "app/TFrmInternetOptions.h"
#include "gui/TLabel.h"
#include "gui/TSpeedButton.h"

TEST_F(AppTest, InternetOptionsRemoveCacheThenCookiesAndWaitForEachReport) {
    TFrmInternetOptions dialog(nullptr);
    dialog.btnCache->Click();
    EXPECT_TRUE(dialog.Busy());
    EXPECT_EQ(dialog.labStatus->Caption(), "正在删除临时文件…");
    EXPECT_FALSE(dialog.btnCookies->Enabled());
    // A second click and the close button wait for the report.
    dialog.btnCookies->Click();
    dialog.btnClose->Click();
    EXPECT_EQ(dialog.ModalResult(), 0);
    ASSERT_EQ(FEngines->ClearRequests, std::vector<unsigned>{platform::bdCache});

    Settle();
    EXPECT_FALSE(dialog.Busy());
    EXPECT_EQ(dialog.labStatus->Caption(), "临时文件已删除。");
    dialog.btnCookies->Click();
    Settle();
    EXPECT_EQ(FEngines->ClearRequests, (std::vector<unsigned>{platform::bdCache, platform::bdCookies}));
    EXPECT_EQ(dialog.labStatus->Caption(), "Cookie已删除。");
    EXPECT_TRUE(FHost.MessageBoxes().empty());
    dialog.btnClose->Click();
    EXPECT_EQ(dialog.ModalResult(), IDCANCEL);
}

TEST_F(AppTest, InternetOptionsShowTheReasonOfAFailedRemoval) {
    TFrmInternetOptions dialog(nullptr);
    FEngines->ClearError = "磁盘只读";
    dialog.btnCookies->Click();
    Settle();
    EXPECT_EQ(dialog.labStatus->Caption(), "未能删除Cookie。");
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Text, "未能删除Cookie：磁盘只读");
    EXPECT_TRUE(dialog.btnCache->Enabled());
}

TEST_F(AppTest, InternetOptionsClosedBeforeTheReportLeaveItUnanswered) {
    {
        TFrmInternetOptions dialog(nullptr);
        dialog.btnCache->Click();
    }
    Settle();
    EXPECT_EQ(FEngines->ClearRequests.size(), 1u);
    EXPECT_TRUE(FHost.MessageBoxes().empty());
}
