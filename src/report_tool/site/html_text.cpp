#include "report_tool/site/html_text.h"

#include "report_tool/picture/svg_builder.h"
#include "report_tool/site/page_names.h"

void OpenTag(std::string& out, std::string_view tag, HtmlAttributes attributes) {
    out += '<';
    out += tag;
    for (const auto& [name, value] : attributes) {
        out += ' ';
        out += name;
        out += "=\"";
        AppendXmlEscaped(out, value);
        out += '"';
    }
    out += '>';
}

void CloseTag(std::string& out, std::string_view tag) {
    out += "</";
    out += tag;
    out += '>';
}

void AppendElement(std::string& out, std::string_view tag, HtmlAttributes attributes,
                   std::string_view text) {
    OpenTag(out, tag, attributes);
    AppendXmlEscaped(out, text);
    CloseTag(out, tag);
}

std::string HtmlElement(std::string_view tag, HtmlAttributes attributes, std::string_view text) {
    std::string html;
    AppendElement(html, tag, attributes, text);
    return html;
}

std::string HtmlWrap(std::string_view tag, HtmlAttributes attributes, std::string_view markup) {
    std::string html;
    OpenTag(html, tag, attributes);
    html += markup;
    CloseTag(html, tag);
    return html;
}

std::string SitePageStart(std::string_view title, std::string_view toTop) {
    // The empty icon keeps a browser from asking the folder for one.
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n"
           "<meta name=\"viewport\" content=\"width=device-width\"/>\n" +
           HtmlElement("title", {}, title) + "\n<link rel=\"icon\" href=\"data:,\"/>\n" +
           "<link rel=\"stylesheet\" href=\"" + std::string(toTop) +
           std::string(site_files::kStyle) + "\"/>\n</head>\n<body>\n";
}

std::string SitePageEnd() {
    return "</body>\n</html>\n";
}
