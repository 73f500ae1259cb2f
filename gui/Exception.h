#pragma once
// The one failure type of the program. Every error that reaches the default
// error report is an Exception; its Message is shown as it stands.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised when a file cannot be opened or read; names the file.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// Raised by the stored-layout loader; the message names file, line and item.
class ELayoutError : public Exception {
public:
    using Exception::Exception;
};

// Misuse of a component or a control (wrong parent, bad index, ...).
class EComponentError : public Exception {
public:
    using Exception::Exception;
};
