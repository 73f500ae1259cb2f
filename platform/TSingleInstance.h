#pragma once
// One running program per user session. The first start takes the
// program's name on the session bus; a later start hands its addresses to
// that one (or, without addresses, asks it to show its window) and ends.
// Without a session bus every start runs on its own.
#include <functional>
#include <string>
#include <vector>

typedef struct _GApplication GApplication;

namespace platform {

class TSingleInstance {
public:
    static constexpr const char* ApplicationId = "cn.xingfan.Browser";

    explicit TSingleInstance(const std::string& id = ApplicationId);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // True when this process runs the window: it took the name, or there is
    // no bus to ask. Call once, before HandOver.
    bool Register();
    // From a later start: sends the addresses, or with none a request to
    // show the window, and waits until they have left this process. False
    // when they could not be sent.
    bool HandOver(const std::vector<std::string>& addresses);

    // In the running program, from the main loop: addresses a later start
    // handed over, or none when it only asked to show the window. Also
    // called for files and addresses opened through the session's standard
    // "open" request.
    std::function<void(const std::vector<std::string>& addresses)> OnAddresses;

private:
    void Deliver(const std::vector<std::string>& addresses) noexcept;
    static void OpenAction(void* action, void* parameter, void* self);
    static void OpenFiles(GApplication* app, void** files, int count, const char* hint, void* self);
    static void Activate(GApplication* app, void* self);

    GApplication* FApp = nullptr;
};

} // namespace platform
