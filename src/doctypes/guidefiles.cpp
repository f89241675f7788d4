#include "aguide.h"

#include "platform/dos/paths.h"

std::string GuideFileBeside(const std::string &guide, const std::string &name)
{
    // a name with a volume or an assign ("SYS:Docs/x.guide") or a full path stays as written
    if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos)
        return PathInAnyCase(name.find(':') == std::string::npos ? name : HostPath(name.c_str()));
    std::string dir(guide.c_str(), size_t(PathPart(guide.c_str()) - guide.c_str()));
    std::string path = dir.empty() ? name : (dir.back() == '/' ? dir : dir + "/") + name;
    return PathInAnyCase(path);
}
