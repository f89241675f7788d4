// One guide source line converted with a style state carried over from the
// line before, and every link target parsed in both forms.
#include "doctypes/aguide.h"

#include <cstring>

namespace {
class NullSink : public GuideSink {
public:
    void Append(const std::string &, bool) override { ++elements_; }
    LONG Elements() override { return elements_; }
    void Button(LONG, const std::string &) override {}

private:
    LONG elements_ = 0;
};
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static GuideStyle style;
    std::vector<GuideLink> links;
    NullSink sink;
    const char *text = reinterpret_cast<const char *>(data);
    for (size_t start = 0; start < size;) {
        const char *newline = static_cast<const char *>(std::memchr(text + start, '\n', size - start));
        size_t end = newline ? size_t(newline - text) + 1 : size;
        std::string line = GuideLine(text + start, end - start);
        BuildGuideLine(line, style, links, sink);
        std::string args = line;
        size_t length;
        char *next = args.data();
        while (next)
            GetArgString(next, &length, &next);
        GetString(line.data(), &length);
        GetCmdID(line.c_str());
        start = end;
    }
    for (const GuideLink &l : links)
        for (int form : {0, 1})
            ParseLinkTarget(l.Arg, form);
    ParseLinkTarget(std::string(text, size), 1);
    return 0;
}
