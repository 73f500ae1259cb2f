#pragma once
// The menu bar's commands: one item name, one command; the check marks of
// the text sizes and the skins; the skin choice through TSkinSelection.
#include <memory>
#include <string>

class TFrmMain;
class TMenuItem;
class TObject;
class TSkinSelection;

class TMenuCommands {
public:
    explicit TMenuCommands(TFrmMain& form);
    ~TMenuCommands();

    // The command of the item that sent the click.
    void Run(TObject* sender);
    // Checks the sender among the text sizes / the skins.
    void CheckTextSize(TObject* sender);
    void CheckSkin(TObject* sender);
    // Sets the active tab's text size and checks the level the browser
    // reports back.
    void SetTextSize(int level);
    // Applies the recorded skin at start-up and checks its item.
    void RestoreSkin(const std::string& sky, const std::string& menuName);
    void ViewSource();
    void SynthesiseFindKeys();
    void ExitProgram();

private:
    void CheckOnly(const std::string& name, const char* const* group, size_t count);
    bool RunPageCommand(const std::string& name);
    bool RunWindowCommand(const std::string& name, TMenuItem& item);
    void RestyleSiteBars();
    TSkinSelection& Skins();

    TFrmMain& F;
    std::unique_ptr<TSkinSelection> FSkins;
};
