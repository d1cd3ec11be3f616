#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Pieces of the site's pages. Every text and attribute value is escaped here, so that a page is
// well-formed (XML-compatible) whatever a report says.
using HtmlAttributes = std::vector<std::pair<std::string_view, std::string>>;

// An element around markup already made safe.
std::string HtmlWrap(std::string_view tag, const HtmlAttributes& attributes,
                     std::string_view markup);
// An element around text.
std::string HtmlElement(std::string_view tag, const HtmlAttributes& attributes,
                        std::string_view text);

// The start of a page of the site, with its title and the site's style; `toTop` leads from the
// page's folder to the site's ("" or "../").
std::string SitePageStart(std::string_view title, std::string_view toTop);
std::string SitePageEnd();
