#pragma once
// The names of the framework's message numbers, for logs.
#include <cstdint>

// "WM_KEYDOWN" for 0x0100; nullptr for a number with no name (WM_USER + n).
const char* MessageName(uint32_t msg);
