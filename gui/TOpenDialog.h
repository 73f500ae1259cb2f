#pragma once
// The file-open dialog of the window system, as a component: filter
// "Name|*.a;*.b|Other|*.c", the filter shown first (1-based), the folder it
// opens in, a title and the chosen file.
#include <string>

#include "gui/TComponent.h"

class TOpenDialog : public TComponent {
    XF_CLASS(TOpenDialog)
public:
    explicit TOpenDialog(TComponent* owner);

    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& filter) { FFilter = filter; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int index) { FFilterIndex = index; }
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& name) { FFileName = name; }
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& dir) { FInitialDir = dir; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title) { FTitle = title; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& ext) { FDefaultExt = ext; }

    // Shows the dialog modally; true (and FileName set) when the user
    // picked a file.
    virtual bool Execute();

protected:
    virtual bool IsSaveDialog() const { return false; }

private:
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FFileName;
    std::string FInitialDir;
    std::string FTitle;
    std::string FDefaultExt;
};
