#include "app/TCommandLine.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/browser/BrowserURL.h"

#ifndef XF_VERSION
#define XF_VERSION "0"
#endif

namespace fs = std::filesystem;

namespace {

std::string CurrentDir() {
    std::error_code error;
    fs::path dir = fs::current_path(error);
    return error ? std::string() : dir.string();
}

} // namespace

TCommandLine TCommandLine::Parse(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return Parse(args, CurrentDir());
}

TCommandLine TCommandLine::Parse(const std::vector<std::string>& args, const std::string& cwd) {
    TCommandLine line;
    bool options = true;
    for (const std::string& arg : args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "--help" || arg == "-h" || arg == "-?")) {
            line.FAction = TAction::Help;
            return line;
        } else if (options && (arg == "--version" || arg == "-v")) {
            line.FAction = TAction::Version;
            return line;
        } else if (options && arg.size() > 1 && arg.front() == '-') {
            if (line.FBadOption.empty()) line.FBadOption = arg;
        } else if (std::string address = Resolve(arg, cwd); !address.empty()) {
            line.FAddresses.push_back(address);
        }
    }
    if (!line.FBadOption.empty()) line.FAction = TAction::Error;
    return line;
}

std::string TCommandLine::Resolve(const std::string& arg, const std::string& cwd) {
    if (arg.empty()) return "";
    fs::path path(arg);
    if (path.is_relative()) {
        if (cwd.empty()) return arg;
        path = fs::path(cwd) / path;
    }
    std::error_code error;
    if (!fs::exists(path, error)) return arg;
    return platform::FilePathToURL(path.lexically_normal().string());
}

std::string TCommandLine::HelpText() {
    return "用法：xingfan [选项] [网址或文件…]\n"
           "\n"
           "星帆IE 游戏浏览器。每个网址在一个新的标签页中打开；本地文件用它的路径给出。\n"
           "星帆IE 已经在运行时，网址交给正在运行的窗口打开，不再开第二个窗口。\n"
           "\n"
           "选项：\n"
           "  -h, --help       显示本帮助并退出\n"
           "  -v, --version    显示版本并退出\n"
           "  --               其后的参数都是网址，即使以“-”开头\n"
           "\n"
           "文件：\n"
           "  安装后的程序把收藏夹页面、源文件、下载的列表和数据库写在\n"
           "  $XDG_DATA_HOME/xingfan（默认 ~/.local/share/xingfan），\n"
           "  设置写在 $XDG_CONFIG_HOME/xingfan/registry.reg。\n";
}

std::string TCommandLine::VersionText() {
    return std::string("星帆IE ") + XF_VERSION + "\n";
}

std::string TCommandLine::AnswerText() const {
    switch (FAction) {
    case TAction::Help:
        return HelpText();
    case TAction::Version:
        return VersionText();
    case TAction::Error:
        return "xingfan：无法识别的选项“" + FBadOption + "”\n请运行“xingfan --help”查看用法。\n";
    case TAction::Run:
        break;
    }
    return "";
}

int TCommandLine::Answer() const {
    std::string text = AnswerText();
    bool error = FAction == TAction::Error;
    std::fputs(text.c_str(), error ? stderr : stdout);
    return error ? 2 : 0;
}
