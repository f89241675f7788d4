#include "richtext.h"

#include "../nlist/textcodes.h"
#include "display_settings.h"

#include <cstring>
#include <string>

QString CodesToHtml(const char *preParse, const char *text)
{
    std::string all = std::string(preParse ? preParse : "") + (text ? text : "");
    QString html, align = "left";
    int open = 0;
    for (size_t j = 0; j < all.size();) {
        char c = all[j];
        if (c != kEsc) {
            QString ch = QString::fromLatin1(&all[j], 1);
            html += c == '\n' ? QString("<br>") : ch.toHtmlEscaped();
            ++j;
            continue;
        }
        TextCode code = ReadTextCode(all.c_str(), all.size(), j);
        j += code.length;
        switch (code.kind) {
        case CodeKind::Bold: html += "<b>"; ++open; break;
        case CodeKind::Italic: html += "<i>"; ++open; break;
        case CodeKind::Underline: html += "<u>"; ++open; break;
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

QString ButtonText(const char *text)
{
    std::string plain = StripTextCodes(text ? text : "");
    QString label;
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '&')
            label += "&&";
        else if (plain[i] == '_' && i + 1 < plain.size())
            label += '&';
        else
            label += QString::fromLatin1(&plain[i], 1);
    }
    return label;
}
