#pragma once
// Builds a component tree from a stored layout onto an existing root (the
// form or frame whose constructor loads it): creates components by class
// name, sets properties in file order, binds events to the root's methods,
// resolves references after every component exists, then calls Loaded().
#include <string>
#include <string_view>

class TComponent;

class TLayoutLoader {
public:
    // Throws ELayoutError naming file, line and item.
    static void LoadText(TComponent* root, std::string_view text, const std::string& fileName);
    // A layout compiled into the executable, e.g. "layouts/FrmMain.lay".
    static void LoadResource(TComponent* root, const std::string& resourceName);
};
