#pragma once
// What XINGFAN_TRACE asks to see on stderr while the program runs: messages
// taken from the queue, published properties written by name, and the
// rectangles each control paints into its window's back buffer. Read once at
// start-up; each hook on a hot path costs one test of a bit when it is off.
#include <iosfwd>
#include <string_view>

#include "gui/Messages.h"
#include "gui/TValue.h"

class TObject;
class TCanvas;
class TControl;
class TMessageTarget;

enum class TTraceKind : unsigned { Messages = 1u << 0, Props = 1u << 1, Paint = 1u << 2 };

class TTrace {
public:
    static bool Enabled(TTraceKind kind) { return (FKinds & static_cast<unsigned>(kind)) != 0; }

    // A comma list of "messages", "props", "paint" or "all"; replaces what was
    // on. Unknown words are named once on `report` and otherwise ignored.
    static void Configure(std::string_view list, std::ostream& report);
    // Reads XINGFAN_TRACE the first time it is called, never again.
    static void ConfigureFromEnvironment();
    // Where the lines go; stderr unless a test hands its own stream.
    static void SetOutput(std::ostream* out);

    static void Message(const TMsg& msg, const TMessageTarget* target);
    static void HookTook(const TMsg& msg, const TObject* hook);
    static void Property(const TObject* object, std::string_view name, const TValue& value);
    // A skinned control taking its style and file theme (logged with props).
    static void Restyle(const TObject* control);
    // Called with the canvas set up for the control (origin and clip): logs
    // the clip, the part of the window's back buffer the control may paint.
    static void Paint(const TControl* control, const TCanvas& canvas);

private:
    static inline unsigned FKinds = 0;
    static inline std::ostream* FOut = nullptr;
};
