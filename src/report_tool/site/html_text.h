#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// Pieces of the site's pages, appended to the page being written. Every text and attribute value
// is escaped here, so that a page is well-formed (XML-compatible) whatever a report says.
using HtmlAttributes = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// <tag name="value" ...>
void OpenTag(std::string& out, std::string_view tag, HtmlAttributes attributes = {});
void CloseTag(std::string& out, std::string_view tag);
// <tag ...>text</tag>
void AppendElement(std::string& out, std::string_view tag, HtmlAttributes attributes,
                   std::string_view text);
// The same as a string, where a page is put together from parts.
std::string HtmlElement(std::string_view tag, HtmlAttributes attributes, std::string_view text);
// An element around markup already made safe.
std::string HtmlWrap(std::string_view tag, HtmlAttributes attributes, std::string_view markup);

// The start of a page of the site, with its title and the site's style; `toTop` leads from the
// page's folder to the site's ("" or "../").
std::string SitePageStart(std::string_view title, std::string_view toTop);
std::string SitePageEnd();
