// Removing the browsing data of the real WebKit contexts: a stored cookie is
// gone afterwards, in every account slot too, and removing the cache reports
// back without an error.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <optional>
#include <string>

#include "WebKitTestSupport.h"
#include "platform/browser/webkit/TWebKitFactory.h"

using namespace e2e;

namespace {

constexpr const char* kSite = "http://127.0.0.1/";

WebKitCookieManager* Cookies(platform::TWebKitFactory& factory, int account = 0) {
    return webkit_web_context_get_cookie_manager(factory.Context(account));
}

void AddCookie(platform::TWebKitFactory& factory, const char* name, int account = 0) {
    bool done = false;
    SoupCookie* cookie = soup_cookie_new(name, "1", "127.0.0.1", "/", 3600);
    webkit_cookie_manager_add_cookie(
        Cookies(factory, account), cookie, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            webkit_cookie_manager_add_cookie_finish(WEBKIT_COOKIE_MANAGER(source), result, nullptr);
            *static_cast<bool*>(data) = true;
        },
        &done);
    soup_cookie_free(cookie);
    ASSERT_TRUE(RunUntil([&] { return done; }));
}

int CookieCount(platform::TWebKitFactory& factory, int account = 0) {
    struct TAnswer {
        bool Done = false;
        int Count = -1;
    } answer;
    webkit_cookie_manager_get_cookies(
        Cookies(factory, account), kSite, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            auto* answer = static_cast<TAnswer*>(data);
            GList* list = webkit_cookie_manager_get_cookies_finish(WEBKIT_COOKIE_MANAGER(source), result, nullptr);
            answer->Count = static_cast<int>(g_list_length(list));
            g_list_free_full(list, reinterpret_cast<GDestroyNotify>(soup_cookie_free));
            answer->Done = true;
        },
        &answer);
    EXPECT_TRUE(RunUntil([&] { return answer.Done; }));
    return answer.Count;
}

std::optional<std::string> Clear(platform::TWebKitFactory& factory, unsigned kinds) {
    std::optional<std::string> result;
    bool insideCall = true;
    factory.ClearBrowsingData(kinds, [&](const std::string& error) {
        EXPECT_FALSE(insideCall);
        result = error;
    });
    insideCall = false;
    RunUntil([&] { return result.has_value(); });
    return result;
}

} // namespace

TEST(BrowsingDataTest, CookiesGoAndTheCacheReportsBack) {
    platform::TWebKitFactory factory(false);
    AddCookie(factory, "kept");
    AddCookie(factory, "second");
    ASSERT_EQ(CookieCount(factory), 2);

    EXPECT_EQ(Clear(factory, platform::bdCache), std::optional<std::string>(""));
    EXPECT_EQ(CookieCount(factory), 2) << "removing the cache took the cookies too";

    EXPECT_EQ(Clear(factory, platform::bdCookies), std::optional<std::string>(""));
    EXPECT_EQ(CookieCount(factory), 0);
}

TEST(BrowsingDataTest, EachAccountSlotKeepsItsOwnCookiesOnDiskAndClearingTakesThemAll) {
    platform::TWebKitFactory factory(false);
    int common = CookieCount(factory, 0);
    int slot3 = CookieCount(factory, 3);
    AddCookie(factory, "slotted", 3);
    AddCookie(factory, "slotted2", 3);
    EXPECT_EQ(CookieCount(factory, 3), slot3 + 2);
    EXPECT_EQ(CookieCount(factory, 0), common) << "a slot's cookie reached the common store";
    EXPECT_EQ(CookieCount(factory, 4), 0) << "a slot's cookie reached another slot";
    std::string file = std::string(g_get_user_data_dir()) + "/xingfan/accounts/3/cookies.sqlite";
    EXPECT_TRUE(RunUntil([&] { return g_file_test(file.c_str(), G_FILE_TEST_IS_REGULAR); })) << file;

    EXPECT_EQ(Clear(factory, platform::bdCookies), std::optional<std::string>(""));
    EXPECT_EQ(CookieCount(factory, 3), 0);
    EXPECT_THROW(factory.Context(platform::ACCOUNT_SLOTS + 1), platform::BrowserError);
}
