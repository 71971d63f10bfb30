#include "platform/modules.h"
#include "hostpaths.h"
#include "platform/system.h"

#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

thread_local DWORD lastError = 0;
thread_local std::string loaderError;

// Each handle counts its loads, as Win32 does: a module loaded twice stays until freed twice.
std::mutex modulesMutex;
std::map<void*, int> loadedModules;

// Module names are case-insensitive, as on Windows ("SONKEL32D" finds Sonkel32d.so).
std::vector<fs::path> candidates(const std::string& name)
{
    fs::path file(name);
    if (!file.has_extension())
        file += ".so";
    if (file.has_parent_path())
        return {file};
    fs::path folder = win::programFolder();
    std::vector<fs::path> found;
    for (const fs::path& dir : {folder, folder / "lib"})
        found.push_back(dir / win::detail::findEntryIgnoringCase(dir, file.string()).value_or(file.string()));
    return found;
}

} // namespace

HMODULE LoadLibraryA(const char* name)
{
    if (!name || !*name) {
        lastError = ERROR_MOD_NOT_FOUND;
        return nullptr;
    }
    std::error_code ec;
    for (const auto& path : candidates(name)) {
        if (!fs::exists(path, ec))
            continue;
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            loaderError = dlerror();
            // The file is there: what failed is something it needs.
            lastError = loaderError.find("undefined symbol") != std::string::npos
                            ? ERROR_PROC_NOT_FOUND
                            : ERROR_DLL_NOT_FOUND;
            return nullptr;
        }
        std::lock_guard lock(modulesMutex);
        ++loadedModules[handle];
        lastError = ERROR_SUCCESS;
        return reinterpret_cast<HMODULE>(handle);
    }
    loaderError = std::string(name) + ": not found";
    lastError = ERROR_MOD_NOT_FOUND;
    return nullptr;
}

FARPROC GetProcAddress(HMODULE module, const char* name)
{
    {
        std::lock_guard lock(modulesMutex);
        if (!loadedModules.count(module)) {
            lastError = ERROR_INVALID_HANDLE;
            return nullptr;
        }
    }
    if (!name) {
        lastError = ERROR_PROC_NOT_FOUND;
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(module, name);
    if (!symbol) {
        lastError = ERROR_PROC_NOT_FOUND;
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module)
{
    {
        std::lock_guard lock(modulesMutex);
        auto it = loadedModules.find(module);
        if (it == loadedModules.end()) {
            lastError = ERROR_INVALID_HANDLE;
            return FALSE;
        }
        if (--it->second == 0)
            loadedModules.erase(it);
    }
    dlclose(module);
    return TRUE;
}

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD code) { lastError = code; }

const char* win::lastLoaderError() { return loaderError.c_str(); }
