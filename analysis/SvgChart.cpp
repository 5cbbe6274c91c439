#include "SvgChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// Plot area inside the picture: room for tick labels and axis titles.
constexpr double left = 62, right = 16, top = 34, bottom = 64;

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string tickText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

std::string escapeHtml(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

SvgChart::SvgChart(const std::string& title, int width, int height, Range x, Range y)
    : title_(title), width_(width), height_(height), x_(x), y_(y)
{
}

double SvgChart::px(double x) const
{
    const double span = x_.max > x_.min ? x_.max - x_.min : 1.0;
    return left + (x - x_.min) / span * (width_ - left - right);
}

double SvgChart::py(double y) const
{
    const double span = y_.max > y_.min ? y_.max - y_.min : 1.0;
    return height_ - bottom - (y - y_.min) / span * (height_ - top - bottom);
}

void SvgChart::axes(const std::string& xTitle, const std::string& yTitle, const std::vector<double>& xTicks,
                    const std::vector<double>& yTicks)
{
    std::ostringstream s;
    const std::string x0 = number(px(x_.min)), x1 = number(px(x_.max));
    const std::string y0 = number(py(y_.min)), y1 = number(py(y_.max));
    for (double t : yTicks) {
        const std::string y = number(py(t));
        s << "<line x1='" << x0 << "' y1='" << y << "' x2='" << x1 << "' y2='" << y << "' class='grid'/>"
          << "<text x='" << number(px(x_.min) - 6) << "' y='" << number(py(t) + 4) << "' text-anchor='end'>"
          << tickText(t) << "</text>";
    }
    for (double t : xTicks)
        s << "<line x1='" << number(px(t)) << "' y1='" << y0 << "' x2='" << number(px(t)) << "' y2='"
          << number(py(y_.min) + 5) << "' class='axis'/><text x='" << number(px(t)) << "' y='"
          << number(py(y_.min) + 18) << "' text-anchor='middle'>" << tickText(t) << "</text>";
    s << "<line x1='" << x0 << "' y1='" << y0 << "' x2='" << x1 << "' y2='" << y0 << "' class='axis'/>"
      << "<line x1='" << x0 << "' y1='" << y0 << "' x2='" << x0 << "' y2='" << y1 << "' class='axis'/>"
      << "<text x='" << number((px(x_.min) + px(x_.max)) / 2) << "' y='" << height_ - 8
      << "' text-anchor='middle' class='title'>" << escapeHtml(xTitle) << "</text>"
      << "<text transform='translate(14 " << number((py(y_.min) + py(y_.max)) / 2)
      << ") rotate(-90)' text-anchor='middle' class='title'>" << escapeHtml(yTitle) << "</text>";
    body_ = s.str() + body_;
}

void SvgChart::categories(const std::vector<std::pair<double, std::string>>& labels)
{
    for (const auto& [x, text] : labels) {
        double y = py(y_.min) + 16;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line); y += 13)
            body_ += "<text x='" + number(px(x)) + "' y='" + number(y) + "' text-anchor='middle' class='small'>" +
                     escapeHtml(line) + "</text>";
    }
}

void SvgChart::groups(const std::vector<std::pair<double, std::string>>& labels)
{
    for (const auto& [x, text] : labels)
        body_ += "<text x='" + number(px(x)) + "' y='" + number(py(y_.min) + 48) +
                 "' text-anchor='middle' class='title'>" + escapeHtml(text) + "</text>";
}

void SvgChart::polyline(const std::vector<std::pair<double, double>>& points, const std::string& color, double width,
                        bool dashed)
{
    std::string list;
    for (const auto& [x, y] : points)
        list += number(px(x)) + "," + number(py(y)) + " ";
    body_ += "<polyline fill='none' stroke='" + color + "' stroke-width='" + number(width) + "'" +
             (dashed ? " stroke-dasharray='5 4'" : "") + " points='" + list + "'/>";
}

void SvgChart::dot(double x, double y, double radius, const std::string& fill, const std::string& stroke,
                   const std::string& tip)
{
    body_ += "<circle cx='" + number(px(x)) + "' cy='" + number(py(y)) + "' r='" + number(radius) + "' fill='" + fill +
             "' stroke='" + stroke + "' stroke-width='1.5'><title>" + escapeHtml(tip) + "</title></circle>";
}

void SvgChart::errorBar(double x, double low, double high, const std::string& color)
{
    const std::string cx = number(px(x)), a = number(px(x) - 4), b = number(px(x) + 4);
    const std::string y0 = number(py(low)), y1 = number(py(high));
    body_ += "<path d='M" + cx + " " + y0 + "V" + y1 + "M" + a + " " + y0 + "H" + b + "M" + a + " " + y1 + "H" + b +
             "' stroke='" + color + "' stroke-width='1.5' fill='none'/>";
}

void SvgChart::bar(double x, double width, double y, const std::string& fill, const std::string& tip)
{
    const double x0 = px(x - width / 2), x1 = px(x + width / 2), top = py(y), base = py(std::max(y_.min, 0.0));
    body_ += "<rect x='" + number(x0) + "' y='" + number(std::min(top, base)) + "' width='" + number(x1 - x0) +
             "' height='" + number(std::abs(base - top)) + "' fill='" + fill + "'><title>" + escapeHtml(tip) +
             "</title></rect>";
}

void SvgChart::tick(double x, double width, double y, const std::string& color)
{
    body_ += "<line x1='" + number(px(x - width / 2)) + "' y1='" + number(py(y)) + "' x2='" +
             number(px(x + width / 2)) + "' y2='" + number(py(y)) + "' stroke='" + color + "' stroke-width='2'/>";
}

void SvgChart::label(double x, double y, const std::string& text, const std::string& anchor)
{
    body_ += "<text x='" + number(px(x)) + "' y='" + number(py(y)) + "' text-anchor='" + anchor + "'>" +
             escapeHtml(text) + "</text>";
}

void SvgChart::legend(const std::vector<std::pair<std::string, std::string>>& colorAndText)
{
    double y = top - 14;
    double x = width_ - right;
    for (auto it = colorAndText.rbegin(); it != colorAndText.rend(); ++it) {
        const auto& [color, text] = *it;
        const double textWidth = 6.5 * text.size();
        x -= textWidth;
        body_ += "<text x='" + number(x) + "' y='" + number(y + 4) + "' class='small'>" + escapeHtml(text) + "</text>";
        x -= 14;
        body_ += "<rect x='" + number(x) + "' y='" + number(y - 4) + "' width='10' height='10' fill='" + color + "'/>";
        x -= 14;
    }
}

std::string SvgChart::svg() const
{
    return "<figure><figcaption>" + escapeHtml(title_) + "</figcaption><svg xmlns='http://www.w3.org/2000/svg' width='" +
           std::to_string(width_) + "' height='" + std::to_string(height_) + "' viewBox='0 0 " +
           std::to_string(width_) + " " + std::to_string(height_) + "'>" + body_ + "</svg></figure>";
}
