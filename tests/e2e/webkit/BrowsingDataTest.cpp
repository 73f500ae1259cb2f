// Removing the browsing data of the real WebKit context: a stored cookie is
// gone afterwards, and removing the cache reports back without an error.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <optional>
#include <string>

#include "WebKitTestSupport.h"
#include "platform/browser/webkit/TWebKitFactory.h"

using namespace e2e;

namespace {

constexpr const char* kSite = "http://127.0.0.1/";

WebKitCookieManager* Cookies(platform::TWebKitFactory& factory) {
    return webkit_web_context_get_cookie_manager(factory.Context());
}

void AddCookie(platform::TWebKitFactory& factory, const char* name) {
    bool done = false;
    SoupCookie* cookie = soup_cookie_new(name, "1", "127.0.0.1", "/", 3600);
    webkit_cookie_manager_add_cookie(
        Cookies(factory), cookie, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            webkit_cookie_manager_add_cookie_finish(WEBKIT_COOKIE_MANAGER(source), result, nullptr);
            *static_cast<bool*>(data) = true;
        },
        &done);
    soup_cookie_free(cookie);
    ASSERT_TRUE(RunUntil([&] { return done; }));
}

int CookieCount(platform::TWebKitFactory& factory) {
    struct TAnswer {
        bool Done = false;
        int Count = -1;
    } answer;
    webkit_cookie_manager_get_cookies(
        Cookies(factory), kSite, nullptr,
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
