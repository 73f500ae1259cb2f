#include "platform/browser/webkit/TWebKitDownloads.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <exception>

#include "platform/DownloadName.h"
#include "platform/TDownloadFile.h"
#include "platform/glib/GlibPtr.h"

namespace platform {

namespace {

// Progress reaches the window this often at most; a finished, failed or
// cancelled download at once.
constexpr gint64 kReportEveryUs = 250 * 1000;
// The speed shown is the average over about this long.
constexpr gint64 kRateWindowUs = 1000 * 1000;

std::string Str(const gchar* text) {
    return text ? std::string(text) : std::string();
}

std::string FailureText(GError* error) {
    std::string detail = error && error->message ? error->message : "";
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_DESTINATION))
        return "无法写入文件：" + detail;
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_NETWORK))
        return "网络错误，下载中断：" + detail;
    return detail.empty() ? std::string("未知错误") : detail;
}

// Before 2.40 the destination was a URI; since then it is a path.
std::string Destination(const std::string& path) {
    if (webkit_get_major_version() > 2 || webkit_get_minor_version() >= 40) return path;
    TGCharPtr uri(g_filename_to_uri(path.c_str(), nullptr, nullptr));
    return uri.Str();
}

} // namespace

struct TWebKitDownloads::TItem {
    TWebKitDownloads* Owner = nullptr;
    TGObjectPtr<WebKitDownload> Download;
    std::unique_ptr<TDownloadFile> File;
    TDownloadInfo Info;
    gint64 LastReport = 0;
    gint64 RateStart = 0;
    int64_t RateBytes = 0;

    bool Running() const { return Info.State == TDownloadState::Running; }

    void Finish(TDownloadState state, const std::string& error) {
        if (!Running()) return;
        Info.State = state;
        Info.Error = error;
        Info.BytesPerSecond = 0;
        if (File) File->Discard();
    }

    void Complete() {
        if (!Running()) return;
        try {
            if (File) File->Commit();
            Info.State = TDownloadState::Finished;
        } catch (const std::exception& e) {
            Finish(TDownloadState::Failed, e.what());
            return;
        }
        if (File) {
            Info.Name = File->FinalName();
            Info.Path = File->FinalPath();
        }
        Info.BytesPerSecond = 0;
        if (Info.Total < Info.Received) Info.Total = Info.Received;
    }

    void Progress(int64_t received) {
        Info.Received = received;
        if (WebKitURIResponse* response = webkit_download_get_response(Download.Get())) {
            guint64 length = webkit_uri_response_get_content_length(response);
            if (length > 0) Info.Total = static_cast<int64_t>(length);
        }
        const gint64 now = g_get_monotonic_time();
        if (RateStart == 0) {
            RateStart = now;
            RateBytes = 0;
        } else if (now - RateStart >= kRateWindowUs) {
            Info.BytesPerSecond = static_cast<double>(received - RateBytes) * 1e6 / static_cast<double>(now - RateStart);
            RateStart = now;
            RateBytes = received;
        }
    }
};

namespace {

using TItem = TWebKitDownloads::TItem;

gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer data);
void OnReceived(WebKitDownload* download, guint64 length, gpointer data);
gboolean OnFailed(WebKitDownload* download, GError* error, gpointer data);
void OnFinished(WebKitDownload* download, gpointer data);
void OnStarted(WebKitWebContext* context, WebKitDownload* download, gpointer data);

} // namespace

TWebKitDownloads& TWebKitDownloads::Of(WebKitWebContext* context) {
    static TWebKitDownloads* downloads = new TWebKitDownloads();
    downloads->Watch(context);
    return *downloads;
}

void TWebKitDownloads::Watch(WebKitWebContext* context) {
    if (std::find(FWatched.begin(), FWatched.end(), context) != FWatched.end()) return;
    FWatched.push_back(context);
    g_signal_connect(context, "download-started", G_CALLBACK(OnStarted), this);
}

void TWebKitDownloads::SetObserver(IBrowserEngineFactory::TDownloadObserver observer) {
    FObserver = std::move(observer);
}

void TWebKitDownloads::Cancel(int id) {
    for (auto& item : FItems)
        if (item->Info.Id == id && item->Running() && item->Download) {
            // WebKit reports the cancel as a failure, which ends the item.
            webkit_download_cancel(item->Download.Get());
            return;
        }
}

void TWebKitDownloads::Started(void* data) {
    auto* download = static_cast<WebKitDownload*>(data);
    auto item = std::make_unique<TItem>();
    item->Owner = this;
    item->Download = TGObjectPtr<WebKitDownload>::Ref(download);
    item->Info.Id = FNextId++;
    if (WebKitURIRequest* request = webkit_download_get_request(download))
        item->Info.URL = Str(webkit_uri_request_get_uri(request));
    TItem* raw = item.get();
    FItems.push_back(std::move(item));
    g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), raw);
    g_signal_connect(download, "received-data", G_CALLBACK(OnReceived), raw);
    g_signal_connect(download, "failed", G_CALLBACK(OnFailed), raw);
    g_signal_connect(download, "finished", G_CALLBACK(OnFinished), raw);
}

// The observer belongs to the window; nothing it throws reaches WebKit.
void TWebKitDownloads::Report(TItem& item, bool now) {
    const gint64 time = g_get_monotonic_time();
    if (!now && time - item.LastReport < kReportEveryUs) return;
    item.LastReport = time;
    if (!FObserver) return;
    TDownloadInfo info = item.Info;
    try {
        FObserver(info);
    } catch (...) {
    }
}

namespace {

void OnStarted(WebKitWebContext*, WebKitDownload* download, gpointer data) {
    try {
        static_cast<TWebKitDownloads*>(data)->Started(download);
    } catch (...) {
    }
}

gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer data) {
    auto* item = static_cast<TItem*>(data);
    try {
        std::string name = CleanDownloadName(Str(suggested));
        item->File = std::make_unique<TDownloadFile>(TDownloadFile::UserFolder(), name);
        item->Info.Name = item->File->FinalName();
        item->Info.Path = item->File->FinalPath();
        // Our own empty ".part" holds the name; WebKit writes over it.
        webkit_download_set_allow_overwrite(download, TRUE);
        webkit_download_set_destination(download, Destination(item->File->PartPath()).c_str());
        item->Owner->Report(*item, true);
    } catch (const std::exception& e) {
        item->Info.Name = CleanDownloadName(Str(suggested));
        item->Finish(TDownloadState::Failed, e.what());
        item->Owner->Report(*item, true);
        webkit_download_cancel(download);
    } catch (...) {
    }
    return TRUE;
}

void OnReceived(WebKitDownload* download, guint64, gpointer data) {
    auto* item = static_cast<TItem*>(data);
    try {
        if (!item->Running()) return;
        item->Progress(static_cast<int64_t>(webkit_download_get_received_data_length(download)));
        item->Owner->Report(*item, false);
    } catch (...) {
    }
}

gboolean OnFailed(WebKitDownload*, GError* error, gpointer data) {
    auto* item = static_cast<TItem*>(data);
    try {
        if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER))
            item->Finish(TDownloadState::Cancelled, "已取消");
        else
            item->Finish(TDownloadState::Failed, FailureText(error));
        item->Owner->Report(*item, true);
    } catch (...) {
    }
    return FALSE;
}

// Also comes after a failure, which has already ended the item.
void OnFinished(WebKitDownload* download, gpointer data) {
    auto* item = static_cast<TItem*>(data);
    try {
        if (item->Running()) {
            item->Progress(static_cast<int64_t>(webkit_download_get_received_data_length(download)));
            item->Complete();
            item->Owner->Report(*item, true);
        }
        g_signal_handlers_disconnect_by_data(download, item);
        item->Download.Reset();
    } catch (...) {
    }
}

} // namespace

} // namespace platform
