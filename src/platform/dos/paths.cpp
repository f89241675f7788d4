#include "paths.h"

#include "locks.h"

#include "../utility/charset.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::map<std::string, std::string> &Assigns()
{
    static std::map<std::string, std::string> table;
    return table;
}

std::string AssignKey(CONST_STRPTR assign)
{
    std::string key(assign);
    if (!key.empty() && key.back() == ':')
        key.pop_back();
    for (char &c : key)
        c = char(toupper(static_cast<unsigned char>(c)));
    return key;
}

std::string EnvBase(const char *var, const char *fallbackUnderHome)
{
    const char *v = std::getenv(var);
    if (v && *v == '/')
        return v;
    const char *home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + fallbackUnderHome;
}

// The scratch directory: inside the user's private runtime directory, or a
// fresh directory with an unguessable name, mode 0700, so no other user can
// plant a file or a link where the program writes.
std::string MakeScratchDir()
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/') {
        std::string dir = std::string(runtime) + "/vellumscanner-T";
        struct stat st;
        if (mkdir(dir.c_str(), 0700) == 0 ||
            (lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0))
            return dir;
    }
    const char *tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/vellumscanner-XXXXXX";
    std::string buf = templ;
    if (mkdtemp(buf.data()))
        return buf;
    return std::string();
}

std::string DefaultAssign(const std::string &key)
{
    if (key == "T") {
        static std::string scratch = MakeScratchDir();
        return scratch;
    }
    if (key == "ENVARC")
        return EnvBase("XDG_CONFIG_HOME", "/.config") + "/Vellumscanner";
    if (key == "ENV") {
        const char *runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime && *runtime == '/')
            return std::string(runtime) + "/Vellumscanner-env";
        return EnvBase("XDG_CONFIG_HOME", "/.config") + "/Vellumscanner";
    }
    if (key == "PROGDIR") {
        char exe[PATH_MAX];
        ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        if (n > 0) {
            exe[n] = 0;
            return std::string(exe, size_t(PathPart(exe) - exe));
        }
    }
    return std::string();
}
}

STRPTR FilePart(CONST_STRPTR path)
{
    if (!path)
        return nullptr;
    const char *part = path;
    for (const char *p = path; *p; ++p)
        if (*p == '/' || *p == ':')
            part = p + 1;
    return const_cast<STRPTR>(part);
}

STRPTR PathPart(CONST_STRPTR path)
{
    if (!path)
        return nullptr;
    const char *file = FilePart(path);
    if (file == path)
        return const_cast<STRPTR>(path);
    const char *sep = file - 1;
    if (*sep == ':' || sep == path)   // keep a volume's ":" and the root's "/"
        return const_cast<STRPTR>(file);
    return const_cast<STRPTR>(sep);
}

BOOL AddPart(STRPTR buffer, CONST_STRPTR name, ULONG size)
{
    size_t dirLen = std::strlen(buffer);
    size_t nameLen = std::strlen(name);
    bool absolute = name[0] == '/' || std::strchr(name, ':') != nullptr;
    if (absolute || dirLen == 0) {
        if (nameLen + 1 > size)
            return FALSE;
        std::memmove(buffer, name, nameLen + 1);
        return TRUE;
    }
    char last = buffer[dirLen - 1];
    size_t sep = (last == '/' || last == ':') ? 0 : 1;
    if (dirLen + sep + nameLen + 1 > size)
        return FALSE;
    if (sep)
        buffer[dirLen++] = '/';
    std::memcpy(buffer + dirLen, name, nameLen + 1);
    return TRUE;
}

void AssignPath(CONST_STRPTR assign, const std::string &hostDir) { Assigns()[AssignKey(assign)] = hostDir; }

std::string AssignedPath(CONST_STRPTR assign)
{
    std::string key = AssignKey(assign);
    auto it = Assigns().find(key);
    if (it != Assigns().end() && !it->second.empty())   // an empty assign falls back to the default
        return it->second;
    std::string dir = DefaultAssign(key);
    if (!dir.empty())
        Assigns()[key] = dir;
    return dir;
}

void SetProgramDir(CONST_STRPTR argv0)
{
    char resolved[PATH_MAX];
    if (argv0 && std::strchr(argv0, '/') && realpath(argv0, resolved)) {
        AssignPath("PROGDIR", std::string(resolved, size_t(PathPart(resolved) - resolved)));
        return;
    }
    AssignedPath("PROGDIR");   // falls back to the running executable
}

std::string HostPath(CONST_STRPTR name)
{
    std::string n(name ? name : "");
    size_t colon = n.find(':');
    if (colon != std::string::npos && n.find('/') > colon) {
        std::string dir = AssignedPath(n.substr(0, colon).c_str());
        if (!dir.empty()) {
            std::string rest = n.substr(colon + 1);
            if (rest.empty())
                return dir;
            return dir.back() == '/' ? dir + rest : dir + "/" + rest;
        }
    }
    if (!n.empty() && n[0] != '/') {
        std::string cwd = CurrentDirPath();
        if (!cwd.empty())
            return cwd.back() == '/' ? cwd + n : cwd + "/" + n;
    }
    return n;
}

std::string InstalledDataPath(const std::string &relative)
{
    return AssignedPath("PROGDIR") + "/../share/vellumscanner/" + relative;
}

namespace {
// The entry of dir named name but for case, or empty.
std::string EntryInAnyCase(const std::string &dir, const std::string &name)
{
    DIR *d = opendir(dir.empty() ? "/" : dir.c_str());
    if (!d)
        return std::string();
    std::string found;
    while (dirent *e = readdir(d))
        if (std::strlen(e->d_name) == name.size() && SameIgnoringCase(e->d_name, name.c_str(), name.size())) {
            found = e->d_name;
            break;
        }
    closedir(d);
    return found;
}
}

std::string PathInAnyCase(const std::string &path)
{
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) == 0)
        return path;
    std::string out = path[0] == '/' ? "" : ".";
    size_t start = path[0] == '/' ? 1 : 0;
    while (start <= path.size()) {
        size_t end = std::min(path.find('/', start), path.size());
        std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;
        std::string next = out + "/" + part;
        if (stat(next.c_str(), &st) != 0) {
            std::string match = EntryInAnyCase(out, part);
            if (match.empty())
                return path;
            next = out + "/" + match;
        }
        out = next;
    }
    return path[0] == '/' ? out : out.substr(2);
}
