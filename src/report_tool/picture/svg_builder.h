#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "report_tool/picture/palette.h"

// A rectangle on the picture, in pixels.
struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

struct Pixel {
    double x = 0;
    double y = 0;
};

struct TextStyle {
    double size = 13;
    std::string_view fill = palette::kInk;
    std::string_view anchor = "start";  // start, middle, end
    bool bold = false;
};

// A run of text in a colour of its own, within a line of text.
struct TextSpan {
    std::string_view text;
    std::string_view fill;
    bool bold = false;
};

struct LineStyle {
    std::string_view stroke;
    double width = 1;
    std::string_view dash = "";  // SVG dash array; empty for a solid line
};

// Writes an SVG document element by element. Text is escaped for XML; characters XML does not
// allow become U+FFFD.
class SvgBuilder {
  public:
    SvgBuilder(double width, double height);

    void rect(const Box& box, std::string_view fill, std::string_view stroke = "none",
              double strokeWidth = 1);
    void line(Pixel from, Pixel to, const LineStyle& style);
    void polyline(const std::vector<Pixel>& points, const LineStyle& style);
    void circle(Pixel centre, double radius, std::string_view fill);
    void text(Pixel at, std::string_view text, const TextStyle& style);
    // Everything drawn until endLink() links to `href` (a relative URL the caller made safe) and
    // shows `tooltip` when pointed at.
    void beginLink(std::string_view href, std::string_view tooltip);
    void endLink();
    // One line of runs, each in its own colour and weight, the line placed by `style`.
    void text(Pixel at, const std::vector<TextSpan>& spans, const TextStyle& style);
    // Everything drawn until endClip() is cut to the box.
    void beginClip(const Box& box);
    void endClip();

    // The document, closed.
    std::string finish();

  private:
    void beginText(Pixel at, const TextStyle& style, const std::string& more = {});

    std::string out_;
    int clipCount_ = 0;
};

// Text made safe inside XML, in text and in attribute values: shown as ShowText shows it
// (characters XML does not allow, and bytes that are not UTF-8 text, become U+FFFD), with markup
// characters escaped.
std::string XmlEscaped(std::string_view text);
void AppendXmlEscaped(std::string& out, std::string_view text);
