#include "support.h"

#include "core/ids.h"
#include "core/objects.h"
#include "platform/dos/locks.h"
#include "platform/dos/paths.h"
#include "platform/exec/signals.h"
#include "platform/nlist/nlist.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

Sandbox::Sandbox()
{
    std::string templ = (std::filesystem::temp_directory_path() / "vstest-XXXXXX").string();
    dir_ = mkdtemp(templ.data());
    std::filesystem::create_directories(dir_ + "/T");
    std::filesystem::permissions(dir_ + "/T", std::filesystem::perms::owner_all);
    AssignPath("T", dir_ + "/T");
    AssignPath("ENV", dir_ + "/env");
    AssignPath("ENVARC", dir_ + "/envarc");
    AssignPath("PROGDIR", dir_ + "/prog");
}

Sandbox::~Sandbox()
{
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
}

std::string Sandbox::Write(const std::string &name, const std::string &bytes) const
{
    std::string path = Path(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

ScriptedRequester::ScriptedRequester() { SetRequesterBackend(this); }
ScriptedRequester::~ScriptedRequester() { SetRequesterBackend(nullptr); }

LONG ScriptedRequester::Request(const std::string &title, const std::string &buttons, const std::string &text)
{
    questions.push_back({title, buttons, text});
    if (answers.empty())
        return 0;
    LONG a = answers.front();
    answers.pop_front();
    return a;
}

bool ScriptedRequester::FileRequest(const FileRequestSpec &spec, FileRequestResult &result)
{
    fileRequests.push_back(spec);
    if (files.empty())
        return false;
    result = files.front();
    files.pop_front();
    return true;
}

std::vector<std::string> ListLines(Object *list)
{
    std::vector<std::string> out;
    for (LONG i = 0; i < NListLineCount(list); ++i) {
        size_t pos, len;
        const char *text = NListLineText(list, i, &pos, &len);
        out.emplace_back(text + pos, len);
    }
    return out;
}

void ViewerDriver::Open(const std::string &path) { SetAttrs(QMXObject.ViewObj, QMXA_View_File, path.c_str()); }

Baza *ViewerDriver::Shown() { return reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document)); }

std::string ViewerDriver::ShownName() { return reinterpret_cast<char *>(xget(QMXObject.ViewObj, QMXA_View_File)); }

void ViewerDriver::Pick(LONG n) { SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, n); }

LONG ViewerDriver::Active() { return LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)); }

namespace {
bool RunInputLoopWhile(Object *obj, IPTR running)
{
    for (int i = 0; i < 1000 && xget(obj, running); ++i) {
        Wait(SIGF_INPUT);
        DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr);
    }
    return !xget(obj, running);
}
}

bool FinishSearch() { return RunInputLoopWhile(QMXObject.FindObj, QMXA_Find_Running); }

bool FinishBaseJob() { return RunInputLoopWhile(QMXObject.BazaObj, QMXA_Baza_Running); }
