#include "platform/modules.h"
#include "platform/system.h"

#include <dlfcn.h>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

thread_local DWORD lastError = 0;
thread_local std::string loaderError;

std::mutex modulesMutex;
std::set<void*> loadedModules;

std::vector<fs::path> candidates(const std::string& name)
{
    fs::path file(name);
    if (!file.has_extension())
        file += ".so";
    if (file.has_parent_path())
        return {file};
    fs::path folder = win::programFolder();
    return {folder / file, folder / "lib" / file};
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
        loadedModules.insert(handle);
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
        if (!loadedModules.erase(module)) {
            lastError = ERROR_INVALID_HANDLE;
            return FALSE;
        }
    }
    dlclose(module);
    return TRUE;
}

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD code) { lastError = code; }

const char* win::lastLoaderError() { return loaderError.c_str(); }
