// Vellumscanner, the window program. Started from the desktop entry, the
// launcher sets VELLUMSCANNER_DESKTOP=1: the program then takes the files it
// is handed as project files and reads its tool types, as at a desktop start.
// Help and the version are answered before any window exists.
#include "app/options.h"
#include "app/startup.h"
#include "platform/dos/paths.h"
#include "platform/qt/qt_renderer.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const char *desktop = std::getenv("VELLUMSCANNER_DESKTOP");
    bool desktopStart = desktop && std::strcmp(desktop, "1") == 0;
    unsetenv("VELLUMSCANNER_DESKTOP");   // programs started from here are not desktop starts
    FrontAnswer front = ReadFrontOptions(argc, argv);
    if (front.exitCode >= 0)
        return front.exitCode;
    std::vector<char *> words;
    for (std::string &w : front.words)
        words.push_back(w.data());
    int count = int(words.size());
    words.push_back(nullptr);
    QtRenderer renderer(argc, argv);
    if (!desktopStart)
        return QMXMain(count, words.data(), nullptr);
    std::string self = AssignedPath("PROGDIR") + "/" + FilePart(argv[0]);   // the program itself comes first
    std::vector<const char *> paths(words.begin(), words.begin() + count);
    paths[0] = self.c_str();
    WBStartup start = {LONG(paths.size()), MakeWBArgs(paths.data(), LONG(paths.size()))};
    int rc = QMXMain(0, argv, &start);
    FreeWBArgs(start.sm_ArgList, start.sm_NumArgs);
    return rc;
}
