#pragma once
// The standard command numbers and options of the browser control's
// execute-command operation, with the numbers callers were written against.
#include <cstdint>

constexpr int32_t OLECMDID_OPEN = 1;
constexpr int32_t OLECMDID_NEW = 2;
constexpr int32_t OLECMDID_SAVE = 3;
constexpr int32_t OLECMDID_SAVEAS = 4;
constexpr int32_t OLECMDID_PRINT = 6;
constexpr int32_t OLECMDID_PRINTPREVIEW = 7;
constexpr int32_t OLECMDID_PAGESETUP = 8;
constexpr int32_t OLECMDID_PROPERTIES = 10;
constexpr int32_t OLECMDID_CUT = 11;
constexpr int32_t OLECMDID_COPY = 12;
constexpr int32_t OLECMDID_PASTE = 13;
constexpr int32_t OLECMDID_SELECTALL = 17;
constexpr int32_t OLECMDID_ZOOM = 19;
constexpr int32_t OLECMDID_GETZOOMRANGE = 20;
constexpr int32_t OLECMDID_REFRESH = 22;
constexpr int32_t OLECMDID_STOP = 23;
constexpr int32_t OLECMDID_FIND = 32;

constexpr int32_t OLECMDEXECOPT_DODEFAULT = 0;
constexpr int32_t OLECMDEXECOPT_PROMPTUSER = 1;
constexpr int32_t OLECMDEXECOPT_DONTPROMPTUSER = 2;
constexpr int32_t OLECMDEXECOPT_SHOWHELP = 3;

// Input of OLECMDID_REFRESH: how far the page is reloaded.
constexpr int32_t OLECMDIDF_REFRESH_NORMAL = 0;
constexpr int32_t OLECMDIDF_REFRESH_IFEXPIRED = 1;
constexpr int32_t OLECMDIDF_REFRESH_CONTINUE = 2;
constexpr int32_t OLECMDIDF_REFRESH_COMPLETELY = 3;

// Text size levels of OLECMDID_ZOOM: smallest to largest.
constexpr int32_t TEXT_ZOOM_MIN_LEVEL = 0;
constexpr int32_t TEXT_ZOOM_MAX_LEVEL = 4;
