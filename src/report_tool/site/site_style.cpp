#include "report_tool/site/site_style.h"

#include "report_tool/picture/palette.h"
#include "report_tool/picture/report_page.h"

std::string SiteStyle() {
    const std::string muted(palette::kMutedInk);
    const std::string rule(palette::kRule);
    const std::string grid(palette::kGrid);
    const std::string paper(palette::kPaper);
    return PageStyle() +
           "\nh1{font-size:1.5em;margin:0 0 8px}h2{font-size:1.2em}"
           ".counts{font-size:1.1em}.counts span{margin-right:1.2em}.muted{color:" +
           muted +
           "}\n#filters{margin:12px 0;display:flex;gap:1.2em;align-items:center;flex-wrap:wrap}"
           "#filters label{display:flex;gap:.4em;align-items:center}#shown{color:" +
           muted +
           "}\ntable.list{font-size:13px}table.list td,table.list th{padding:2px "
           "5px;white-space:nowrap}table.list "
           "th{white-space:normal;vertical-align:bottom}.claim{display:block;font-size:.8em;font-"
           "weight:bold}.ungraded{color:" +
           muted +
           "}"
           "table.list td,table.list th{text-align:left}table.list .n{text-align:right}table.list "
           "tr.groups th{"
           "text-align:center}td.serial{max-width:16em;overflow:hidden;text-overflow:ellipsis}"
           "table.list thead th{position:sticky;top:0}table.list thead tr.groups th{top:auto;"
           "position:static}th button{font:inherit;font-weight:bold;border:0;background:none;"
           "padding:0;cursor:pointer;color:inherit}th[aria-sort=ascending] button::after{content:"
           "' \\25B2'}th[aria-sort=descending] button::after{content:' \\25BC'}"
           "\n.charts{display:flex;flex-wrap:wrap;gap:16px}figure{margin:0;padding:8px;"
           "background:" +
           paper + ";border:1px solid " + rule +
           "}figcaption{font-weight:bold;margin-bottom:4px}a{color:" +
           std::string(palette::kSecondPassStroke) + "}tbody tr:hover{background:" + grid + "}\n";
}
