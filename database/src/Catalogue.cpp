#include "database/Catalogue.h"
#include "database/DbFiles.h"
#include "database/TrackStore.h"

#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/profile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>
#include <sys/stat.h>

using namespace db;

namespace {

// Program data, in whatever spelling made it: folder names compare ignoring case.
bool IsReserved(const std::string& folder)
{
    for (const char* reserved : {"BoxFiles", "TESTDATA", "IMPORT"})
        if (strcasecmp(folder.c_str(), reserved) == 0)
            return true;
    return false;
}

// A plain folder: not read-only and not hidden, as on Windows where any attribute beside
// "directory" keeps a folder out of the catalogue.
bool IsPlainFolder(const win::FoundFile& entry)
{
    if (!entry.directory || entry.name.empty() || entry.name[0] == '.')
        return false;
    auto host = win::HostPath(Format("%s\\%s", szVarnelDir, entry.name.c_str()));
    struct stat st;
    return host && ::stat(host->c_str(), &st) == 0 && (st.st_mode & 0222) != 0;
}

std::vector<std::string> DatabaseFolders()
{
    std::vector<std::string> folders;
    for (const auto& entry : win::findFiles(Format("%s\\*.*", szVarnelDir).c_str()))
        if (IsPlainFolder(entry))
            folders.push_back(entry.name);
    return folders;
}

std::string MultiDbPath(const std::string& folder)
{
    return Format("%s\\%s\\%s", szVarnelDir, folder.c_str(), "multidb.ini");
}

std::string ReadName(const std::string& folder, const char* key, const char* fallback)
{
    char value[256];
    GetPrivateProfileStringA("Names", key, fallback, value, sizeof value, MultiDbPath(folder).c_str());
    return value;
}

void WriteName(const std::string& folder, const char* key, const std::string& value)
{
    WritePrivateProfileStringA("Names", key, value.c_str(), MultiDbPath(folder).c_str());
}

int Refuse(HWND owner, const std::string& text)
{
    MessageBeep(MB_ICONHAND);
    MessageBoxA(owner, text.c_str(), nullptr, MB_OK | MB_ICONHAND);
    return 1;
}

char chosenFolder[MAX_PATH];
NewDatabaseDialog newDatabaseDialog = nullptr;

} // namespace

extern "C" {

int DBFindDatabaseFolder(char* folder, const char* name)
{
    for (const auto& candidate : DatabaseFolders()) {
        if (IsReserved(candidate) || ReadName(candidate, "Name", candidate.c_str()) != name)
            continue;
        if (folder)
            std::snprintf(folder, MAX_PATH, "%s", candidate.c_str());
        return 0;
    }
    return 1;
}

int DBGetDatabaseName(char* name, const char* folder)
{
    for (const auto& candidate : DatabaseFolders()) {
        if (strcasecmp(candidate.c_str(), folder) != 0)
            continue;
        if (name)
            std::snprintf(name, 256, "%s", ReadName(candidate, "Name", "UNTITLED").c_str());
        return 0;
    }
    return 1;
}

int DBNameNewDatabase(HWND owner, const char* newName, const char* folder)
{
    if (strcasecmp(newName, "UNTITLED") == 0)
        return Refuse(owner, "\"UNTITLED\" is not allowed as a database name. Please choose another name");
    auto folders = DatabaseFolders();
    auto found = std::find_if(folders.begin(), folders.end(),
                              [&](const std::string& f) { return strcasecmp(f.c_str(), folder) == 0; });
    if (found == folders.end())
        return 1;
    // A folder of that name, made and removed again, tells whether the name is free.
    std::string trial = Format("%s\\%s", szVarnelDir, newName);
    if (win::mkdir(trial.c_str()) != 0) {
        int error = errno;
        if (error == ENOENT)
            return Refuse(owner, "Can't create folder for database: Path not found. Contact Tarnley.");
        if (error == EEXIST)
            return Refuse(owner, Format("Can't create folder for database: name \"%s\" already exists. "
                                        "Please choose another name", newName));
        return Refuse(owner, Format("Can't create folder for database: unknown error %d. Contact Tarnley.", error));
    }
    WriteName(*found, "Name", newName);
    char shortPath[MAX_PATH];
    if (GetShortPathNameA(trial.c_str(), shortPath, sizeof shortPath) == 0) {
        DWORD error = GetLastError();
        win::rmdir(trial.c_str());
        if (error == ERROR_FILE_NOT_FOUND)
            return Refuse(owner, "Can't get short name for database folder: File Not Found. Contact Tarnley.");
        return Refuse(owner, Format("Can't get short name for database folder: \"%s\". Contact Tarnley.",
                                    std::strerror(int(error))));
    }
    const char* shortName = std::strrchr(shortPath, '\\');
    WriteName(*found, "Directory", shortName ? shortName + 1 : shortPath);
    if (win::rmdir(trial.c_str()) != 0) {
        int error = errno;
        if (error == ENOENT)
            return Refuse(owner, "Can't delete folder for database: Path not found. Contact Tarnley.");
        if (error == ENOTEMPTY)
            return Refuse(owner, "Can't delete folder for database: Not Empty. Contact Tarnley.");
        return Refuse(owner, Format("Can't delete folder for database: unknown error %d. Contact Tarnley.", error));
    }
    return 0;
}

} // extern "C"

DatabaseList BuildDatabaseList(HWND owner)
{
    DatabaseList list;
    for (const auto& folder : DatabaseFolders()) {
        bool active = strcasecmp(folder.c_str(), "database") == 0;
        if (!active && strcasecmp(ReadName(folder, "Directory", "untitled").c_str(), folder.c_str()) != 0)
            WriteName(folder, "Directory", folder);
        if (IsReserved(folder))
            continue;
        std::string name = ReadName(folder, "Name", "");
        if (name.empty()) {
            name = active ? ReadName(folder, "Directory", "untitled") : folder;
            WriteName(folder, "Name", name);
        }
        list.names.push_back(name);
    }
    std::sort(list.names.begin(), list.names.end());
    char current[256];
    if (DBGetDatabaseName(current, "database") == 0) {
        auto match = std::find_if(list.names.begin(), list.names.end(),
                                  [&](const std::string& n) { return n.rfind(current, 0) == 0; });
        if (match != list.names.end())
            list.current = *match;
    } else {
        MessageBoxA(owner, "Can't find name of current database", APPLICATION_TITLE, MB_OK);
    }
    return list;
}

const char* ChooseDatabase(const std::string& selection)
{
    if (DBFindDatabaseFolder(chosenFolder, selection.c_str()) != 0)
        return nullptr;
    return strcasecmp(chosenFolder, "database") == 0 ? nullptr : chosenFolder;
}

const char* DBSelectDatabaseDialog(HWND owner)
{
    DatabaseList list = BuildDatabaseList(owner);
    auto answer = win::scripted::takeDialog(SELECT_DATABASE_DIALOG);
    if (!answer || answer->code != IDOK)
        return nullptr;
    auto selection = answer->controls.find(IDC_NEW_SELECTION);
    return ChooseDatabase(selection != answer->controls.end() ? selection->second : list.current);
}

NewDatabaseFields OpenNewDatabaseFields(char* folder)
{
    int32_t justInstalled = 0;
    GetVarnelProfileInt("INSTALL", "Just installed", &justInstalled);
    char name[256] = "";
    DBGetDatabaseName(name, folder);
    if (strcasecmp(folder, "database") == 0)
        std::snprintf(folder, 256, "%s", ReadName(folder, "Directory", "").c_str());
    NewDatabaseFields fields{name, folder};
    if (justInstalled != 0 && strcasecmp(name, "UNTITLED") == 0)
        fields.name = "Original Database";
    return fields;
}

void SetNewDatabaseDialog(NewDatabaseDialog dialog) { newDatabaseDialog = dialog; }

int DBNewDatabaseDialog(HWND owner, char* folder)
{
    if (!folder)
        return 0;
    if (newDatabaseDialog)
        return newDatabaseDialog(owner, folder);
    OpenNewDatabaseFields(folder);
    // Each OK that names the database ends the dialog; a refused name leaves it open.
    while (auto answer = win::scripted::takeDialog(NEW_DATABASE_DIALOG)) {
        if (answer->code != IDOK)
            return 2;
        auto name = answer->controls.find(IDC_DATABASE_NAME);
        std::snprintf(folder, 256, "%s", name != answer->controls.end() ? name->second.c_str() : "");
        if (DBNameNewDatabase(owner, folder, "DATABASE") == 0)
            return 1;
    }
    return 2;
}
