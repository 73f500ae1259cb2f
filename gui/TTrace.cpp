#include "gui/TTrace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/MessageNames.h"
#include "gui/TComponent.h"
#include "gui/TControl.h"
#include "gui/TMessageTarget.h"
#include "gui/graphics/TCanvas.h"

namespace {

constexpr size_t KValueLimit = 60;

unsigned KindOfWord(std::string_view word) {
    if (word == "messages") return static_cast<unsigned>(TTraceKind::Messages);
    if (word == "props") return static_cast<unsigned>(TTraceKind::Props);
    if (word == "paint") return static_cast<unsigned>(TTraceKind::Paint);
    if (word == "all") return ~0u;
    return 0;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Words(std::string_view list) {
    std::vector<std::string_view> words;
    while (!list.empty()) {
        size_t comma = list.find(',');
        std::string_view word = Trimmed(list.substr(0, comma));
        if (!word.empty()) words.push_back(word);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return words;
}

// A component by its class and name: "TskEdit edtAddress".
std::string Who(const TObject* object) {
    if (!object) return "(none)";
    std::string out = object->ClassName();
    auto* component = dynamic_cast<const TComponent*>(object);
    out += ' ';
    out += component && !component->Name().empty() ? component->Name() : "(unnamed)";
    return out;
}

std::string Hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string MessageText(uint32_t msg) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%04x", msg);
    const char* name = MessageName(msg);
    if (!name && msg >= WM_USER && msg < CM_BASE) return "WM_USER+" + std::to_string(msg - WM_USER);
    return name ? std::string(name) + " (" + number + ")" : std::string(number);
}

std::string JoinItems(const std::vector<std::string>& items, const char* open, const char* close) {
    std::string out = open;
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + items[i];
    return out + close;
}

std::string ValueText(const TValue& value) {
    return std::visit(
        [](const auto& v) -> std::string {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::monostate>)
                return "nil";
            else if constexpr (std::is_same_v<V, int64_t>)
                return std::to_string(v);
            else if constexpr (std::is_same_v<V, bool>)
                return v ? "True" : "False";
            else if constexpr (std::is_same_v<V, double>)
                return std::to_string(v);
            else if constexpr (std::is_same_v<V, std::string>)
                return "'" + v + "'";
            else if constexpr (std::is_same_v<V, TIdent>)
                return v.Name;
            else if constexpr (std::is_same_v<V, TSetValue>)
                return JoinItems(v.Items, "[", "]");
            else if constexpr (std::is_same_v<V, TStringsValue>)
                return JoinItems(v.Items, "(", ")");
            else if constexpr (std::is_same_v<V, TCollectionValue>)
                return "<" + std::to_string(v.Items.size()) + " items>";
            else if constexpr (std::is_same_v<V, TComponent*>)
                return v ? Who(v) : "nil";
            else
                return v.Name; // a handler, by its method name
        },
        value);
}

// One line stays one line, and a long value does not drown the log: control
// characters are escaped and the text is cut at a character boundary.
std::string Shortened(const std::string& text) {
    std::string out;
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        bool starts = (byte & 0xC0) != 0x80;
        if (starts && chars++ == KValueLimit) return out + "...";
        if (byte == '\n')
            out += "\\n";
        else if (byte == '\r')
            out += "\\r";
        else if (byte == '\t')
            out += "\\t";
        else if (byte < 0x20)
            out += "\\x" + Hex(byte).substr(2);
        else
            out += text[i];
    }
    return out;
}

// One line at a time and flushed, so that the lines of a run that crashes
// are all there.
void Write(std::ostream* out, const std::string& line) {
    std::ostream& to = out ? *out : std::cerr;
    to << "trace " << line << '\n';
    to.flush();
}

} // namespace

void TTrace::Configure(std::string_view list, std::ostream& report) {
    unsigned kinds = 0;
    std::vector<std::string_view> unknown;
    for (std::string_view word : Words(list)) {
        unsigned kind = KindOfWord(word);
        kinds |= kind;
        if (!kind && std::find(unknown.begin(), unknown.end(), word) == unknown.end())
            unknown.push_back(word);
    }
    FKinds = kinds;
    if (unknown.empty()) return;
    std::string words;
    for (std::string_view word : unknown)
        words += (words.empty() ? "" : ", ") + std::string(word);
    report << "XINGFAN_TRACE: ignored " << words << " (known: messages, props, paint, all)\n";
}

void TTrace::ConfigureFromEnvironment() {
    static bool done = false;
    if (done) return;
    done = true;
    if (const char* list = std::getenv("XINGFAN_TRACE")) Configure(list, std::cerr);
}

void TTrace::SetOutput(std::ostream* out) {
    FOut = out;
}

void TTrace::Message(const TMsg& msg, const TMessageTarget* target) {
    // A handle no longer in the table, or a bare message target, is named by
    // its handle.
    auto* object = dynamic_cast<const TObject*>(target);
    std::string to = object
                         ? Who(object)
                         : std::string(target ? "(window " : "(no window ") + Hex(msg.hwnd) + ")";
    Write(FOut, "msg " + MessageText(msg.message) + " w=" + Hex(msg.wParam) +
                    " l=" + Hex(static_cast<uint64_t>(msg.lParam)) + " -> " + to);
}

void TTrace::HookTook(const TMsg& msg, const TObject* hook) {
    Write(FOut, "msg " + MessageText(msg.message) + " taken by the application hook " + Who(hook));
}

void TTrace::Property(const TObject* object, std::string_view name, const TValue& value) {
    Write(FOut,
          "prop " + Who(object) + "." + std::string(name) + " = " + Shortened(ValueText(value)));
}

void TTrace::Restyle(const TObject* control) {
    Write(FOut, "restyle " + Who(control));
}

void TTrace::Paint(const TControl* control, const TCanvas& canvas) {
    TPoint origin = canvas.Origin();
    TRect rect = canvas.ClipRect().Offset(origin.X, origin.Y);
    Write(FOut, "paint " + Who(control) + " x=" + std::to_string(rect.Left) +
                    " y=" + std::to_string(rect.Top) + " w=" + std::to_string(rect.Width()) +
                    " h=" + std::to_string(rect.Height()));
}
