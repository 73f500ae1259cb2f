#pragma once
// JSON pieces of the state dump, shared by the parts that write their own
// objects into it.
#include <string>

// The text as a JSON string: quotes, backslashes and control characters escaped.
std::string JsonQuote(const std::string& text);
std::string JsonBool(bool value);
