#include "portpath.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// Why the folder cannot hold a port's socket; empty when it can.
std::string FolderProblem(const std::string &dir)
{
    struct stat st;
    if (lstat(dir.c_str(), &st) != 0)
        return "the folder " + dir + " cannot be used: " + std::strerror(errno);
    if (!S_ISDIR(st.st_mode))
        return dir + " is not a folder";
    if (st.st_uid != getuid())
        return "the folder " + dir + " belongs to another user";
    if (st.st_mode & 077) {
        char mode[16];
        std::snprintf(mode, sizeof mode, "%03o", unsigned(st.st_mode & 0777));
        return "the folder " + dir + " is open to other users (mode " + mode + ")";
    }
    return "";
}

void Tell(std::string *problem, const std::string &why)
{
    if (problem)
        *problem = why;
}
}

std::string PortDirectory(bool create, std::string *problem)
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && FolderProblem(runtime).empty())
        return runtime;
    const char *tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && tmp[0] == '/' ? tmp : "/tmp") + "/vellumscanner-" + std::to_string(getuid());
    // an existing one is checked like a made one
    if (create && mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        Tell(problem, "the folder " + dir + " cannot be made: " + std::strerror(errno));
        return "";
    }
    std::string why = FolderProblem(dir);
    Tell(problem, why);
    return why.empty() ? dir : std::string();
}

std::string PortSocketPath(const std::string &name, bool create, std::string *problem)
{
    if (name.empty() || name.find('/') != std::string::npos) {
        Tell(problem, "\"" + name + "\" is no port name");
        return "";
    }
    std::string dir = PortDirectory(create, problem);
    std::string path = dir + "/" + name;
    if (!dir.empty() && path.size() >= sizeof(sockaddr_un::sun_path)) {
        Tell(problem, "the socket's name " + path + " is too long");
        return "";
    }
    return dir.empty() ? "" : path;
}
