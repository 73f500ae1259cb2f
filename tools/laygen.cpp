// Build-time tool: reads a stored window layout and writes, for its window,
// the typed component fields and the table that binds them and the layout's
// handlers by name, so that each name is written once, in the layout.
//   xf_laygen <source-root> <layout> <out-dir> <header-dir>...
// <layout> is relative to <source-root> and is how errors name the file.
// Writes <out-dir>/<stem>.fields.h (a struct the window inherits) and
// <out-dir>/<stem>.bind.cpp (the table, with static checks that the window
// has each handler and that each field has the layout's class).
// Fails with "file:line: ..." on a layout it cannot read, a class no header
// declares, or a name that cannot be a field.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "gui/Exception.h"
#include "gui/TLayoutParser.h"

namespace fs = std::filesystem;

namespace {

struct TToolError {
    std::string Message;
};

struct TFieldEntry {
    std::string Name;
    std::string ClassName;
    int Line;
};

struct THandlerUse {
    std::string ClassName; // of the object whose event names it; "" inside a collection
    std::string Event;
    std::string Where; // "btnBack.OnClick"
    int Line;
};

struct THandlerEntry {
    std::string Name;
    std::vector<THandlerUse> Uses;
};

struct TWindow {
    std::string ClassName;
    std::vector<TFieldEntry> Fields;
    std::vector<THandlerEntry> Handlers;
    std::map<std::string, std::string> Headers; // class -> include path
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TToolError{path.string() + ": cannot read"};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsCppIdentifier(const std::string& name) {
    static const std::regex ident("[A-Za-z_][A-Za-z0-9_]*");
    return std::regex_match(name, ident);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

class TLayoutReader {
public:
    TLayoutReader(fs::path root, std::string layout, std::vector<std::string> headerDirs)
        : FRoot(std::move(root)), FLayout(std::move(layout)), FHeaderDirs(std::move(headerDirs)) {}

    TWindow Read() {
        TLayoutObject top = TLayoutParser(ReadText(FRoot / FLayout), FLayout).Parse();
        FWindow.ClassName = top.ClassName;
        Require(top.Line, top.ClassName, top.Name.empty() ? "the window" : top.Name);
        AddHandlers(top.Props, top.Name, top.ClassName);
        for (const TLayoutObject& child : top.Children)
            AddObject(child);
        return std::move(FWindow);
    }

private:
    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw TToolError{FLayout + ":" + std::to_string(line) + ": " + what};
    }

    void AddObject(const TLayoutObject& obj) {
        if (!IsCppIdentifier(obj.Name))
            Fail(obj.Line, "object name '" + obj.Name + "' cannot be a field name");
        // The loader compares names without regard to case.
        if (!FNames.insert(Lower(obj.Name)).second)
            Fail(obj.Line, "a second object named " + obj.Name);
        Require(obj.Line, obj.ClassName, obj.Name);
        FWindow.Fields.push_back({obj.Name, obj.ClassName, obj.Line});
        AddHandlers(obj.Props, obj.Name, obj.ClassName);
        for (const TLayoutObject& child : obj.Children)
            AddObject(child);
    }

    // Events are the properties named On...: their identifiers name the
    // window's methods.
    void AddHandlers(const std::vector<TLayoutItem>& props, const std::string& owner,
                     const std::string& cls) {
        for (const TLayoutItem& item : props) {
            if (auto* items = std::get_if<TCollectionValue>(&item.Value))
                for (const auto& entry : items->Items)
                    AddHandlers(entry, owner + "." + item.Name, "");
            auto* id = std::get_if<TIdent>(&item.Value);
            if (!id || item.Name.rfind("On", 0) != 0) continue;
            if (!IsCppIdentifier(id->Name))
                Fail(item.Line, "handler name '" + id->Name + "' is not a method name");
            if (!IsCppIdentifier(item.Name))
                Fail(item.Line, "event name '" + item.Name + "' is not a member name");
            auto [at, added] = FHandlerIndex.emplace(id->Name, FWindow.Handlers.size());
            if (added) FWindow.Handlers.push_back({id->Name, {}});
            FWindow.Handlers[at->second].Uses.push_back(
                {cls, item.Name, owner + "." + item.Name, item.Line});
        }
    }

    // The class's own header, named after it in one of the layer folders.
    void Require(int line, const std::string& className, const std::string& object) {
        if (FWindow.Headers.count(className)) return;
        if (!IsCppIdentifier(className))
            Fail(line, "class name '" + className + "' of " + object + " is not a C++ class name");
        const std::regex declared("\\bclass\\s+" + className + "\\b(\\s+final)?\\s*[:{]");
        for (const std::string& dir : FHeaderDirs) {
            const std::string include = dir + "/" + className + ".h";
            std::error_code ec;
            if (!fs::is_regular_file(FRoot / include, ec)) continue;
            if (!std::regex_search(ReadText(FRoot / include), declared)) continue;
            FWindow.Headers[className] = include;
            return;
        }
        std::string dirs;
        for (const std::string& dir : FHeaderDirs)
            dirs += " " + dir + "/";
        Fail(line, "class " + className + " of " + object + ": no header " + className + ".h in" +
                       dirs + " declares it");
    }

    fs::path FRoot;
    std::string FLayout;
    std::vector<std::string> FHeaderDirs;
    TWindow FWindow;
    std::set<std::string> FNames;
    std::map<std::string, size_t> FHandlerIndex;
};

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string FieldsHeader(const TWindow& w, const std::string& layout) {
    std::ostringstream out;
    out << "// Generated by xf_laygen from " << layout << ": change the layout, not this file.\n"
        << "#pragma once\n\n";
    std::set<std::string> declared{w.ClassName};
    out << "class " << w.ClassName << ";\n";
    for (const TFieldEntry& f : w.Fields)
        if (declared.insert(f.ClassName).second) out << "class " << f.ClassName << ";\n";
    out << "\n// The components of " << layout << ", filled by the loader.\n"
        << "struct " << w.ClassName << "Fields {\n";
    for (const TFieldEntry& f : w.Fields)
        out << "    " << f.ClassName << "* " << f.Name << " = nullptr;\n";
    out << "\nprotected:\n"
        << "    // Registers the fields and the layout's handlers; call before loading the "
           "layout.\n"
        << "    static void BindLayout(" << w.ClassName << "& window);\n"
        << "};\n";
    return out.str();
}

std::string BindSource(const TWindow& w, const std::string& layout) {
    std::ostringstream out;
    out << "// Generated by xf_laygen from " << layout << ": change the layout, not this file.\n"
        << "#include <type_traits>\n\n"
        << "#include \"" << w.Headers.at(w.ClassName) << "\"\n"
        << "#include \"gui/TLayoutTable.h\"\n";
    std::set<std::string> included{w.Headers.at(w.ClassName)};
    for (const auto& [cls, header] : w.Headers)
        if (included.insert(header).second) out << "#include \"" << header << "\"\n";
    const std::string& W = w.ClassName;
    out << "\nnamespace {\n\n";
    for (const THandlerEntry& h : w.Handlers)
        out << "template <class W> concept Has_" << h.Name << " = requires { &W::" << h.Name
            << "; };\n";
    out << "\n";
    for (const TFieldEntry& f : w.Fields)
        out << "static_assert(std::is_same_v<decltype(" << W << "::" << f.Name << "), "
            << f.ClassName << "*>,\n"
            << "              "
            << Quote(layout + ":" + std::to_string(f.Line) + ": " + W + "::" + f.Name +
                     " is not the layout's " + f.ClassName + "*")
            << ");\n";
    for (const THandlerEntry& h : w.Handlers) {
        const THandlerUse& first = h.Uses.front();
        out << "static_assert(Has_" << h.Name << "<" << W << ">,\n"
            << "              "
            << Quote(layout + ":" + std::to_string(first.Line) + ": " + W +
                     " has no public handler " + h.Name + " (" + first.Where + ")")
            << ");\n";
    }
    out << "\n// A template, so that a missing handler reports only its static_assert above.\n"
        << "template <class W> void Bind(TLayoutTable<W>& table) {\n";
    for (const TFieldEntry& f : w.Fields)
        out << "    table.Field(" << Quote(f.Name) << ", &W::" << f.Name << ");\n";
    for (const THandlerEntry& h : w.Handlers) {
        out << "    if constexpr (Has_" << h.Name << "<W>) {\n";
        // The loader would refuse a handler of another shape; the build does it first.
        for (const THandlerUse& use : h.Uses) {
            if (use.ClassName.empty()) continue;
            out << "        static_assert(std::is_same_v<typename THandlerEvent<decltype(&W::"
                << h.Name << ")>::Type, "
                << "decltype(" << use.ClassName << "::" << use.Event << ")>,\n"
                << "                      "
                << Quote(layout + ":" + std::to_string(use.Line) + ": " + W + "::" + h.Name +
                         " does not fit " + use.Where)
                << ");\n";
        }
        out << "        table.Handler(" << Quote(h.Name) << ", &W::" << h.Name << ");\n    }\n";
    }
    out << "}\n\n} // namespace\n\n"
        << "void " << W << "Fields::BindLayout(" << W << "& window) {\n"
        << "    TLayoutTable<" << W << "> table(window);\n"
        << "    Bind(table);\n"
        << "}\n";
    return out.str();
}

// Unchanged outputs keep their time stamps, so nothing recompiles for them.
void WriteIfChanged(const fs::path& path, const std::string& text) {
    std::error_code ec;
    if (fs::exists(path, ec) && ReadText(path) == text) return;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) throw TToolError{path.string() + ": cannot write"};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: xf_laygen <source-root> <layout> <out-dir> <header-dir>...\n");
        return 2;
    }
    try {
        const std::string layout = argv[2];
        TWindow window =
            TLayoutReader(argv[1], layout, std::vector<std::string>(argv + 4, argv + argc)).Read();
        const std::string stem = fs::path(layout).stem().string();
        WriteIfChanged(fs::path(argv[3]) / (stem + ".fields.h"), FieldsHeader(window, layout));
        WriteIfChanged(fs::path(argv[3]) / (stem + ".bind.cpp"), BindSource(window, layout));
    } catch (const TToolError& e) {
        std::fprintf(stderr, "%s\n", e.Message.c_str());
        return 1;
    } catch (const ELayoutError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
