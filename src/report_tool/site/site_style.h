#pragma once
#include <string>
#include <string_view>

// The site's own files beside its pages: the style of its index and board pages (the report
// page's, with what a long table, its filters and the charts need), and the index's script.
std::string SiteStyle();
std::string_view SiteScript();
