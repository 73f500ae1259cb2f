#include "app/DownloadText.h"

#include <cstdio>

using platform::TDownloadInfo;
using platform::TDownloadState;

std::string FormatBytes(int64_t bytes) {
    if (bytes < 0) bytes = 0;
    if (bytes < 1024) return std::to_string(bytes) + " B";
    static const char* const units[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit >= 2 ? "%.2f %s" : "%.1f %s", value, units[unit]);
    return text;
}

static std::string RunningText(const TDownloadInfo& d) {
    std::string text;
    if (d.Total > 0) {
        int64_t percent = d.Received >= d.Total ? 100 : d.Received * 100 / d.Total;
        text = std::to_string(percent) + "%  " + FormatBytes(d.Received) + " / " + FormatBytes(d.Total);
    } else {
        text = FormatBytes(d.Received);
    }
    if (d.BytesPerSecond > 0)
        text += "  " + FormatBytes(static_cast<int64_t>(d.BytesPerSecond)) + "/s";
    return text;
}

std::string DownloadStatusText(const TDownloadInfo& d) {
    switch (d.State) {
    case TDownloadState::Running:
        return RunningText(d);
    case TDownloadState::Finished:
        return "已完成  " + FormatBytes(d.Received);
    case TDownloadState::Failed:
        return "下载失败：" + (d.Error.empty() ? std::string("未知错误") : d.Error);
    case TDownloadState::Cancelled:
        return "已取消";
    }
    return {};
}

std::string DownloadTitle(const TDownloadInfo& d) {
    if (!d.Name.empty()) return d.Name;
    std::string url = d.URL.substr(0, d.URL.find_first_of("?#"));
    size_t slash = url.find_last_of('/');
    std::string last = slash == std::string::npos ? url : url.substr(slash + 1);
    return last.empty() ? d.URL : last;
}

const char* DownloadStateName(TDownloadState state) {
    switch (state) {
    case TDownloadState::Running:
        return "running";
    case TDownloadState::Finished:
        return "finished";
    case TDownloadState::Failed:
        return "failed";
    case TDownloadState::Cancelled:
        return "cancelled";
    }
    return "";
}
