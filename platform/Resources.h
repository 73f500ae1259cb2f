#pragma once
// Named resources compiled into the executable (window layouts, built-in
// pictures). The build embeds them with cmake/Resources.cmake.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

void RegisterResource(std::string_view name, const unsigned char* data, std::size_t size);
// The bytes of a resource; names compare case-insensitively, as resource
// names do on the platform the layouts were written for.
std::optional<std::span<const unsigned char>> FindResource(std::string_view name);
std::vector<std::string> ResourceNames();

} // namespace platform
