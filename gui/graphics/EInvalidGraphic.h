#pragma once
// Failures of the graphics layer. Both carry a message that names the
// problem, ready for the default error report.
#include "gui/Exception.h"

// A picture file or stream that cannot be read: bad or unsupported header,
// truncated data, dimensions over the limits.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A request the graphics objects cannot carry out (scan line out of range,
// bitmap too large, bad image index).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};
