#include "richtext.h"

#include "../nlist/textcodes.h"
#include "../utility/charset.h"
#include "display_settings.h"

#include <cstring>
#include <string>

QString CodesToHtml(const char *preParse, const char *text)
{
    std::string all = HostText((std::string(preParse ? preParse : "") + (text ? text : "")).c_str());
    QString html, align = "left";
    int open = 0;
    for (size_t j = 0; j < all.size();) {
        if (all[j] != kEsc) {
            size_t end = all.find_first_of("\33\n", j);
            end = end == std::string::npos ? all.size() : end;
            html += QString::fromUtf8(all.data() + j, qsizetype(end - j)).toHtmlEscaped();
            if (end < all.size() && all[end] == '\n') {
                html += "<br>";
                ++end;
            }
            j = end;
            continue;
        }
        TextCode code = ReadTextCode(all.c_str(), all.size(), j);
        j += code.length;
        switch (code.kind) {
        case CodeKind::Bold:
            html += "<b>";
            ++open;
            break;
        case CodeKind::Italic:
            html += "<i>";
            ++open;
            break;
        case CodeKind::Underline:
            html += "<u>";
            ++open;
            break;
        case CodeKind::Center: align = "center"; break;
        case CodeKind::Right: align = "right"; break;
        case CodeKind::Left: align = "left"; break;
        case CodeKind::Pen:
        case CodeKind::TextPen:
            html += QString("<span style=\"color:%1\">").arg(DisplaySettings::Current().Pen(code.a).name());
            ++open;
            break;
        default: break;
        }
    }
    (void)open;   // Qt closes what is left open at the end of the document
    return QString("<div align=\"%1\">%2</div>").arg(align, html);
}

QString UiText(const char *text) { return QString::fromUtf8(HostText(text ? text : "")); }

QString PlainUiText(const char *text) { return UiText(StripTextCodes(text ? text : "").c_str()); }

// "_" marks the shortcut letter; a "&" is shown as it is.
QString ButtonText(const char *text)
{
    QString plain = PlainUiText(text), label;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (plain[i] == '&')
            label += "&&";
        else if (plain[i] == '_' && i + 1 < plain.size())
            label += '&';
        else
            label += plain[i];
    }
    return label;
}
