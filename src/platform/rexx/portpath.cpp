#include "portpath.h"

#include <cstdlib>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
bool SafeFolder(const std::string &dir)
{
    struct stat st;
    return lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0;
}
}

std::string PortDirectory(bool create)
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && SafeFolder(runtime))
        return runtime;
    const char *tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && tmp[0] == '/' ? tmp : "/tmp") + "/vellumscanner-" + std::to_string(getuid());
    if (create)
        mkdir(dir.c_str(), 0700);   // an existing one is checked like a made one
    return SafeFolder(dir) ? dir : std::string();
}

std::string PortSocketPath(const std::string &name, bool create)
{
    if (name.empty() || name.find('/') != std::string::npos)
        return "";
    std::string dir = PortDirectory(create);
    std::string path = dir + "/" + name;
    return dir.empty() || path.size() >= sizeof(sockaddr_un::sun_path) ? "" : path;
}
