// What a new tab's browser costs: creating the control with its WebKit view,
// putting it in a shown window of the GTK host and loading about:blank
// until the document is complete (one view made beforehand, so every
// measured one comes after the first); and the memory (proportional set
// size of this process and of WebKit's processes) each extra view adds.
// Runs under Xvfb: scripts/with-xvfb.sh build/bin/bench_webview
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TForm.h"
#include "gui/TWebBrowser.h"
#include "gui/host/gtk/TGtkHost.h"
#include "platform/browser/webkit/TWebKitFactory.h"

namespace {

struct TWorld {
    std::unique_ptr<THost> Host;
    std::unique_ptr<TApplication> App;
    std::unique_ptr<platform::TWebKitFactory> Factory;
    TForm* Form = nullptr;
    std::vector<TWebBrowser*> Views;
};

TWorld* gWorld = nullptr;

// Runs the loop until the browser reported its document complete.
bool LoadBlank(TWebBrowser* browser) {
    bool complete = false;
    browser->OnDocumentComplete = [&](TObject*, IBrowserAutomation*, const std::string&) {
        complete = true;
    };
    browser->Navigate("about:blank");
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!complete && std::chrono::steady_clock::now() < deadline)
        gWorld->App->HandleMessage();
    browser->OnDocumentComplete = nullptr;
    return complete;
}

TWebBrowser* NewView() {
    auto* browser = new TWebBrowser(gWorld->Form);
    browser->SetBounds(0, 0, 640, 480);
    browser->SetParent(gWorld->Form);
    gWorld->Views.push_back(browser);
    return browser;
}

void DropViews() {
    for (TWebBrowser* view : gWorld->Views)
        delete view;
    gWorld->Views.clear();
    // Let WebKit's processes of the dropped views go.
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end)
        gWorld->App->ProcessMessages();
}

long PssKb(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Pss:", 0) == 0) return std::stol(line.substr(4));
    return 0;
}

int ParentOf(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream rest(stat.substr(close + 2));
    char state;
    int ppid = -1;
    rest >> state >> ppid;
    return ppid;
}

// This process and every process below it (WebKit's web and network
// processes).
double TotalPssMb() {
    std::vector<int> family{getpid()};
    bool grew = true;
    while (grew) {
        grew = false;
        DIR* proc = opendir("/proc");
        while (dirent* entry = readdir(proc)) {
            int pid = atoi(entry->d_name);
            if (pid <= 0 || std::find(family.begin(), family.end(), pid) != family.end()) continue;
            if (std::find(family.begin(), family.end(), ParentOf(pid)) == family.end()) continue;
            family.push_back(pid);
            grew = true;
        }
        closedir(proc);
    }
    long kb = 0;
    for (int pid : family)
        kb += PssKb(pid);
    return kb / 1024.0;
}

// Runs the loop while nothing is measured: the user's pause between tabs,
// in which the next view's process gets ready.
void Idle(int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        gWorld->App->ProcessMessages();
        gWorld->Host->PumpEvents(10);
    }
}

// A tab opened a moment after the last one.
void BM_NewViewToDocumentComplete(benchmark::State& state) {
    for (auto _ : state) {
        Idle(1500);
        auto start = std::chrono::steady_clock::now();
        TWebBrowser* browser = NewView();
        if (!LoadBlank(browser)) state.SkipWithError("about:blank did not complete");
        auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        state.SetIterationTime(elapsed.count());
    }
}
BENCHMARK(BM_NewViewToDocumentComplete)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(20)
    ->Unit(benchmark::kMillisecond);

// Tabs opened one right after another: most find no process ready.
void BM_NewViewBackToBack(benchmark::State& state) {
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        TWebBrowser* browser = NewView();
        if (!LoadBlank(browser)) state.SkipWithError("about:blank did not complete");
        auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        state.SetIterationTime(elapsed.count());
    }
}
BENCHMARK(BM_NewViewBackToBack)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->Unit(benchmark::kMillisecond);

void BM_MemoryPerExtraView(benchmark::State& state) {
    const int extra = 9;
    for (auto _ : state) {
        DropViews();
        double base = TotalPssMb();
        LoadBlank(NewView());
        double one = TotalPssMb();
        for (int i = 0; i < extra; ++i)
            LoadBlank(NewView());
        double all = TotalPssMb();
        state.counters["pss_no_view_MB"] = base;
        state.counters["pss_one_view_MB"] = one;
        state.counters["pss_10_views_MB"] = all;
        state.counters["MB_per_extra_view"] = (all - one) / extra;
    }
}
BENCHMARK(BM_MemoryPerExtraView)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("GDK_BACKEND", "x11", 0);
    setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 0);
    benchmark::Initialize(&argc, argv);
    RegisterStandardClasses();
    TWorld world;
    gWorld = &world;
    world.Host = CreateGtkHost(argc, argv);
    world.App = std::make_unique<TApplication>(world.Host.get());
    world.Factory = std::make_unique<platform::TWebKitFactory>();
    platform::SetBrowserEngineFactory(world.Factory.get());
    world.Form = new TForm(nullptr);
    world.Form->SetBounds(0, 0, 800, 600);
    world.Form->Show();
    LoadBlank(NewView()); // the first view starts WebKit's network process
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DropViews();
    delete world.Form;
    platform::SetBrowserEngineFactory(nullptr);
    world.App.reset();
    world.Factory.reset();
    return 0;
}
