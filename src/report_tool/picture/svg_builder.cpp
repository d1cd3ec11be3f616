#include "report_tool/picture/svg_builder.h"

#include <array>

#include "report_tool/reading/text_encoding.h"
#include "report_tool/reading/value_text.h"

namespace {

// Pixels to a tenth, without a decimal that says nothing.
std::string Number(double value) {
    std::string digits = OneDecimal(value);
    if (digits.ends_with(".0")) {
        digits.resize(digits.size() - 2);
    }
    return digits == "-0" ? "0" : digits;
}

std::string Attribute(std::string_view name, std::string_view value) {
    std::string out = " ";
    out += name;
    out += "=\"";
    out += value;
    out += '"';
    return out;
}

std::string Attribute(std::string_view name, double value) {
    return Attribute(name, Number(value));
}

std::string Stroke(const LineStyle& style) {
    std::string out = Attribute("stroke", style.stroke) + Attribute("stroke-width", style.width) +
                      Attribute("fill", "none") + Attribute("stroke-linejoin", "round");
    if (!style.dash.empty()) {
        out += Attribute("stroke-dasharray", style.dash);
    }
    return out;
}

// What each byte asks of the escaping: nothing, an entity, or that the whole text be shown as
// ShowText shows it first. Most text is plain, and an index holds a great deal of it.
enum class ByteKind : unsigned char { Plain, Markup, Shown };

const std::array<ByteKind, 256>& ByteKinds() {
    static const std::array<ByteKind, 256> kinds = [] {
        std::array<ByteKind, 256> table{};
        for (std::size_t b = 0; b < table.size(); ++b) {
            const char c = static_cast<char>(b);
            table[b] = !ShownAsTheyAre(std::string_view(&c, 1))       ? ByteKind::Shown
                       : c == '&' || c == '<' || c == '>' || c == '"' ? ByteKind::Markup
                                                                      : ByteKind::Plain;
        }
        return table;
    }();
    return kinds;
}

const char* Entity(char c) {
    return c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : "&quot;";
}

}  // namespace

void AppendXmlEscaped(std::string& out, std::string_view text) {
    const std::array<ByteKind, 256>& kinds = ByteKinds();
    const std::size_t start = out.size();
    std::size_t plain = 0;  // where the text not yet appended starts
    for (std::size_t i = 0; i < text.size(); ++i) {
        const ByteKind kind = kinds[static_cast<unsigned char>(text[i])];
        if (kind == ByteKind::Plain) {
            continue;
        }
        if (kind == ByteKind::Shown) {
            out.resize(start);
            for (char c : ShowText(text).utf8) {
                if (kinds[static_cast<unsigned char>(c)] == ByteKind::Markup) {
                    out += Entity(c);
                } else {
                    out += c;
                }
            }
            return;
        }
        out.append(text.substr(plain, i - plain));
        out += Entity(text[i]);
        plain = i + 1;
    }
    out.append(text.substr(plain));
}

std::string XmlEscaped(std::string_view text) {
    std::string out;
    AppendXmlEscaped(out, text);
    return out;
}

SvgBuilder::SvgBuilder(double width, double height) {
    out_ = "<svg xmlns=\"http://www.w3.org/2000/svg\"" + Attribute("width", width) +
           Attribute("height", height) +
           Attribute("viewBox", "0 0 " + Number(width) + " " + Number(height)) +
           Attribute("font-family", "DejaVu Sans, Verdana, Arial, sans-serif") + ">\n";
}

void SvgBuilder::rect(const Box& box, std::string_view fill, std::string_view stroke,
                      double strokeWidth) {
    out_ += "<rect" + Attribute("x", box.left) + Attribute("y", box.top) +
            Attribute("width", box.width) + Attribute("height", box.height) +
            Attribute("fill", fill);
    if (stroke != "none") {
        out_ += Attribute("stroke", stroke) + Attribute("stroke-width", strokeWidth);
    }
    out_ += "/>\n";
}

void SvgBuilder::line(Pixel from, Pixel to, const LineStyle& style) {
    out_ += "<line" + Attribute("x1", from.x) + Attribute("y1", from.y) + Attribute("x2", to.x) +
            Attribute("y2", to.y) + Stroke(style) + "/>\n";
}

void SvgBuilder::polyline(const std::vector<Pixel>& points, const LineStyle& style) {
    if (points.empty()) {
        return;
    }
    std::string coordinates;
    for (const Pixel& p : points) {
        coordinates += Number(p.x) + "," + Number(p.y) + " ";
    }
    coordinates.pop_back();
    out_ += "<polyline" + Attribute("points", coordinates) + Stroke(style) + "/>\n";
}

void SvgBuilder::circle(Pixel centre, double radius, std::string_view fill) {
    out_ += "<circle" + Attribute("cx", centre.x) + Attribute("cy", centre.y) +
            Attribute("r", radius) + Attribute("fill", fill) + "/>\n";
}

void SvgBuilder::text(Pixel at, std::string_view text, const TextStyle& style) {
    beginText(at, style);
    out_ += XmlEscaped(text);
    out_ += "</text>\n";
}

void SvgBuilder::text(Pixel at, const std::vector<TextSpan>& spans, const TextStyle& style) {
    // The blanks between runs are part of the text.
    beginText(at, style, Attribute("xml:space", "preserve"));
    for (const TextSpan& span : spans) {
        out_ += "<tspan" + Attribute("fill", span.fill) +
                (span.bold ? Attribute("font-weight", "bold") : std::string()) + ">" +
                XmlEscaped(span.text) + "</tspan>";
    }
    out_ += "</text>\n";
}

void SvgBuilder::beginText(Pixel at, const TextStyle& style, const std::string& more) {
    out_ += "<text" + more + Attribute("x", at.x) + Attribute("y", at.y) +
            Attribute("font-size", style.size) + Attribute("fill", style.fill);
    if (style.anchor != "start") {
        out_ += Attribute("text-anchor", style.anchor);
    }
    if (style.bold) {
        out_ += Attribute("font-weight", "bold");
    }
    out_ += '>';
}

void SvgBuilder::beginLink(std::string_view href, std::string_view tooltip) {
    out_ += "<a" + Attribute("href", XmlEscaped(href)) + "><title>" + XmlEscaped(tooltip) +
            "</title>\n";
}

void SvgBuilder::endLink() {
    out_ += "</a>\n";
}

void SvgBuilder::beginClip(const Box& box) {
    const std::string id = "clip" + std::to_string(++clipCount_);
    out_ += "<clipPath" + Attribute("id", id) + "><rect" + Attribute("x", box.left) +
            Attribute("y", box.top) + Attribute("width", box.width) +
            Attribute("height", box.height) + "/></clipPath>\n<g" +
            Attribute("clip-path", "url(#" + id + ")") + ">\n";
}

void SvgBuilder::endClip() {
    out_ += "</g>\n";
}

std::string SvgBuilder::finish() {
    return out_ + "</svg>\n";
}
