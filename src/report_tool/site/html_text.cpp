#include "report_tool/site/html_text.h"

#include "report_tool/picture/svg_builder.h"
#include "report_tool/site/page_names.h"

std::string HtmlWrap(std::string_view tag, const HtmlAttributes& attributes,
                     std::string_view markup) {
    std::string html = "<" + std::string(tag);
    for (const auto& [name, value] : attributes) {
        html += " " + std::string(name) + "=\"" + XmlEscaped(value) + "\"";
    }
    return html + ">" + std::string(markup) + "</" + std::string(tag) + ">";
}

std::string HtmlElement(std::string_view tag, const HtmlAttributes& attributes,
                        std::string_view text) {
    return HtmlWrap(tag, attributes, XmlEscaped(text));
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
