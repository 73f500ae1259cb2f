#include "platform/TUpdateModule.h"

#include <dlfcn.h>

namespace platform {

TUpdateModule::TUpdateModule(const std::string& path) : FPath(path) {
    FHandle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!FHandle) {
        const char* why = ::dlerror();
        throw UpdateModuleError("无法加载更新模块 " + path + (why ? std::string(": ") + why : ""));
    }
    FEntry = reinterpret_cast<TEntry>(::dlsym(FHandle, ExportName));
    if (!FEntry) {
        ::dlclose(FHandle);
        throw UpdateModuleError("更新模块 " + path + " 缺少入口 " + ExportName);
    }
}

TUpdateModule::~TUpdateModule() {
    if (FHandle) ::dlclose(FHandle);
}

void TUpdateModule::OnLineUpdateFile(int32_t reason) const {
    FEntry(reason);
}

} // namespace platform
