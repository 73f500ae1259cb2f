#pragma once
// What the command line asks for: a help or version answer, or the
// addresses to open. Options end at "--"; every other argument is an
// address, opened in a tab of its own.
#include <string>
#include <vector>

class TCommandLine {
public:
    enum class TAction { Run, Help, Version, Error };

    // `args` without the program's own name. Help and version win over any
    // other argument, so they answer even beside an option we do not know.
    static TCommandLine Parse(const std::vector<std::string>& args, const std::string& cwd);
    static TCommandLine Parse(int argc, char** argv);

    // An argument that names an existing file or folder, relative to `cwd`
    // or absolute, becomes its file URL (the running program may have
    // another working folder); anything else is kept as typed, to be read
    // the way the address box reads it. Empty arguments give "".
    static std::string Resolve(const std::string& arg, const std::string& cwd);

    static std::string HelpText();
    static std::string VersionText();

    TAction Action() const { return FAction; }
    // Help and version: answered before anything else, without a display.
    bool AnswersAlone() const { return FAction == TAction::Help || FAction == TAction::Version; }
    const std::vector<std::string>& Addresses() const { return FAddresses; }
    // The text a Help, Version or Error answer prints.
    std::string AnswerText() const;
    // Prints the answer (errors to stderr) and gives the exit status.
    int Answer() const;

private:
    TAction FAction = TAction::Run;
    std::vector<std::string> FAddresses;
    std::string FBadOption;
};
