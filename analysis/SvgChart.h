#pragma once

#include <string>
#include <utility>
#include <vector>

/// Text made safe for HTML and SVG.
std::string escapeHtml(const std::string& text);

/// One chart with linear axes, written as inline SVG. Everything is given in
/// data units; the chart maps them into its plot area.
class SvgChart {
public:
    struct Range {
        double min, max;
    };

    SvgChart(const std::string& title, int width, int height, Range x, Range y);

    /// Axes with ticks at `xTicks` and `yTicks` (labelled with their values),
    /// and the axis titles.
    void axes(const std::string& xTitle, const std::string& yTitle, const std::vector<double>& xTicks,
              const std::vector<double>& yTicks);
    /// Category labels under the x axis instead of numbers (a '\n' breaks the line).
    void categories(const std::vector<std::pair<double, std::string>>& labels);
    /// Labels of groups of categories, one line below the category labels.
    void groups(const std::vector<std::pair<double, std::string>>& labels);
    void polyline(const std::vector<std::pair<double, double>>& points, const std::string& color, double width,
                  bool dashed = false);
    /// A marker with a hover text.
    void dot(double x, double y, double radius, const std::string& fill, const std::string& stroke,
             const std::string& tip);
    void errorBar(double x, double low, double high, const std::string& color);
    /// A bar from 0 to y, `width` in x units, centred at x.
    void bar(double x, double width, double y, const std::string& fill, const std::string& tip);
    /// A short horizontal stroke, `width` in x units, centred at (x, y).
    void tick(double x, double width, double y, const std::string& color);
    /// Text at a data position; anchor is start, middle or end.
    void label(double x, double y, const std::string& text, const std::string& anchor = "middle");
    /// Coloured entries in the top right corner.
    void legend(const std::vector<std::pair<std::string, std::string>>& colorAndText);

    std::string svg() const;

private:
    double px(double x) const;
    double py(double y) const;

    std::string title_;
    int width_, height_;
    Range x_, y_;
    std::string body_;
};
