#pragma once
// What the downloads bar writes about a download: sizes, speed and state.
#include <cstdint>
#include <string>

#include "platform/browser/IBrowserEngine.h"

// "512 B", "1.5 KB", "4.0 MB", "1.25 GB" (1 KB = 1024 bytes).
std::string FormatBytes(int64_t bytes);
// A running download: "37%  1.5 MB / 4.0 MB  320.0 KB/s" (no percentage
// when the size is unknown, no speed before it is measured); else what
// became of it, a failure with its reason.
std::string DownloadStatusText(const platform::TDownloadInfo& download);
// The file's name, or the last part of the address before a name is known.
std::string DownloadTitle(const platform::TDownloadInfo& download);
// "running", "finished", "failed" or "cancelled", for the state dump.
const char* DownloadStateName(platform::TDownloadState state);
