#include "guide_text.h"

#include "doctypes/aguide.h"
#include "platform/nlist/textcodes.h"

#include <map>

namespace {
// Collects what the guide line code completes, with the buttons' labels.
class PlainSink : public GuideSink {
public:
    void Append(const std::string &text, bool) override { lines.push_back(text); }
    LONG Elements() override { return LONG(lines.size()); }
    void Button(LONG number, const std::string &label) override { labels[number] = label; }

    std::vector<std::string> lines;
    std::map<LONG, std::string> labels;
};

std::string WithoutCodes(const std::string &text, const std::map<LONG, std::string> &labels)
{
    std::string out;
    for (size_t j = 0; j < text.size();) {
        if (text[j] == '\n' || text[j] == '\r') {
            ++j;
        } else if (text[j] != kEsc) {
            out += text[j++];
        } else {
            TextCode c = ReadTextCode(text.c_str(), text.size(), j);
            j += std::max<size_t>(c.length, 1);
            auto it = c.kind == CodeKind::Embedded ? labels.find(c.a) : labels.end();
            if (it != labels.end())
                out += it->second;
        }
    }
    return out;
}

// as the guide's own display tells command lines from text
bool Command(const std::string &line) { return line[0] == '@' && GetCmdID(line.c_str() + 1, line.size() - 1); }
}

std::vector<std::string> GuidePlainLines(const std::vector<std::string> &source)
{
    PlainSink sink;
    GuideStyle style;
    std::vector<GuideLink> links;
    for (const std::string &line : source)
        if (!Command(line))
            sink.lines.push_back(BuildGuideLine(GuideLine(line.data(), line.size()), style, links, sink));
    std::vector<std::string> plain;
    for (const std::string &text : sink.lines)
        plain.push_back(WithoutCodes(text, sink.labels));
    return plain;
}
