#include "Sketch.h"

#include "Engine.h"
#include "Rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

namespace QuillmereCalc {

using namespace Quillmere;

namespace {

struct Point {
    double x, y;
};

// Locale-independent number text for SVG attributes.
std::string Num(double v) {
    std::array<char, 32> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::round(v * 100) / 100,
                                 std::chars_format::fixed, 2);
    return std::string(buffer.data(), r.ptr);
}

std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

} // namespace

std::string SketchSvg(const CaseOutcome& o) {
    const SensorTypeRecord& sensor = SensorTypeAt(o.SensorIndex);
    const SpacingInputs& in = o.Inputs;
    const SpacingBreakdown& b = o.Breakdown;

    // Model coordinates in mm: x along the axis, y downwards from the pipe's top surface.
    const double wall = in.WallThickness;
    const double lining = in.LiningThickness;
    const double od = std::max(in.OuterDiameter, 2 * (wall + lining));
    const double fluid = od - 2 * (wall + lining);
    const double wedgeH = sensor.WedgeHeight;

    // The beam: from its origin in sensor A's wedge, through wall and lining into the fluid,
    // across it once per crossing, and out through the far layers into sensor B's wedge.
    std::vector<Point> beam{{0, -wedgeH}};
    auto step = [&](double dx, double dy) { beam.push_back({beam.back().x + dx, beam.back().y + dy}); };
    step(sensor.WedgeRun, wedgeH);
    step(b.WallRun, wall);
    step(b.LiningRun, lining);
    bool down = true;
    for (int i = 0; i < o.Crossings; ++i) {
        step(b.FluidRun, down ? fluid : -fluid);
        down = !down;
    }
    const bool bOnTop = o.Crossings % 2 == 0;
    const double s = bOnTop ? -1 : 1;
    step(b.LiningRun, s * lining);
    step(b.WallRun, s * wall);
    step(sensor.WedgeRun, s * wedgeH);
    const double markA = sensor.MountOffset;
    const double markB = markA + b.Spacing;

    double minX = std::min({0.0, markA, markB}), maxX = std::max({beam.back().x, markA, markB});
    for (const Point& p : beam) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
    }
    const double bodyW = std::max(3 * sensor.WedgeRun, 20.0);
    minX -= bodyW;
    maxX += bodyW;
    const double minY = -wedgeH - 8, maxY = od + wedgeH + 8;

    // Fit the model into the drawing area of an A4 landscape page (297 x 210 mm).
    const double areaX = 20, areaY = 38, areaW = 257, areaH = 130;
    const double scale = std::min(areaW / (maxX - minX), areaH / (maxY - minY));
    auto X = [&](double x) { return areaX + (x - minX) * scale + (areaW - (maxX - minX) * scale) / 2; };
    auto Y = [&](double y) { return areaY + (y - minY) * scale; };

    std::string svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"297mm\" height=\"210mm\" "
           "viewBox=\"0 0 297 210\" font-family=\"Liberation Sans, Arial, sans-serif\">\n";
    svg += "<rect width=\"297\" height=\"210\" fill=\"white\"/>\n";
    const std::string unit(LengthUnit(o));
    const std::string method = std::string(1, MountLetter(o.Mount)) + " method";
    svg += "<text x=\"20\" y=\"18\" font-size=\"7\" font-weight=\"bold\">Sensor spacing: " +
           Escape(o.Display.Result1) + " " + unit + "</text>\n";
    svg += "<text x=\"20\" y=\"27\" font-size=\"4.5\">" +
           Escape(std::string(SensorTypeName(o.SensorIndex))) + ", " +
           method + ", outer diameter " + Num(in.OuterDiameter) + " mm, wall " + Num(wall) +
           " mm, lining " + Num(lining) + " mm. Scale " +
           (scale >= 1 ? Num(scale) + ":1" : "1:" + Num(1 / scale)) + " on A4.</text>\n";

    auto band = [&](double top, double height, const char* fill) {
        if (height <= 0) {
            return;
        }
        svg += "<rect x=\"" + Num(X(minX)) + "\" y=\"" + Num(Y(top)) + "\" width=\"" +
               Num((maxX - minX) * scale) + "\" height=\"" + Num(height * scale) + "\" fill=\"" +
               fill + "\" stroke=\"#333\" stroke-width=\"0.2\"/>\n";
    };
    band(0, wall, "#9aa4ad");
    band(wall, lining, "#d9b26f");
    band(wall + lining, fluid, "#cfe8f7");
    band(wall + lining + fluid, lining, "#d9b26f");
    band(od - wall, wall, "#9aa4ad");

    auto sensorBody = [&](double originX, bool top) {
        const double y0 = top ? 0 : od;
        const double dir = top ? -1 : 1;
        const double x0 = originX - bodyW / 2 + sensor.WedgeRun / 2;
        svg += "<polygon points=\"" + Num(X(x0)) + "," + Num(Y(y0)) + " " + Num(X(x0 + bodyW)) + "," +
               Num(Y(y0)) + " " + Num(X(x0 + bodyW)) + "," + Num(Y(y0 + dir * (wedgeH + 4))) + " " +
               Num(X(x0)) + "," + Num(Y(y0 + dir * (wedgeH + 4))) +
               "\" fill=\"#1f3b73\" fill-opacity=\"0.25\" stroke=\"#1f3b73\" stroke-width=\"0.4\"/>\n";
    };
    sensorBody(0, true);
    sensorBody(beam.back().x - sensor.WedgeRun, bOnTop);

    std::string points;
    for (const Point& p : beam) {
        points += Num(X(p.x)) + "," + Num(Y(p.y)) + " ";
    }
    svg += "<polyline points=\"" + points +
           "\" fill=\"none\" stroke=\"#e8401c\" stroke-width=\"0.6\" stroke-linejoin=\"round\"/>\n";

    // The spacing between the two sensors' reference marks, dimensioned above the pipe.
    const double dimY = Y(-wedgeH - 6);
    auto tick = [&](double x, bool top) {
        const double y0 = top ? Y(0) : Y(od);
        svg += "<line x1=\"" + Num(X(x)) + "\" y1=\"" + Num(y0) + "\" x2=\"" + Num(X(x)) + "\" y2=\"" +
               Num(dimY - 2) + "\" stroke=\"black\" stroke-width=\"0.3\" stroke-dasharray=\"1,1\"/>\n";
    };
    tick(markA, true);
    tick(markB, bOnTop);
    svg += "<line x1=\"" + Num(X(markA)) + "\" y1=\"" + Num(dimY) + "\" x2=\"" + Num(X(markB)) +
           "\" y2=\"" + Num(dimY) + "\" stroke=\"black\" stroke-width=\"0.4\"/>\n";
    svg += "<text id=\"spacing\" x=\"" + Num((X(markA) + X(markB)) / 2) + "\" y=\"" + Num(dimY - 2.5) +
           "\" font-size=\"5\" text-anchor=\"middle\">" + Escape(o.Display.Result1) + " " + unit +
           "</text>\n";
    if (!o.Circumferential.empty()) {
        svg += "<text x=\"20\" y=\"190\" font-size=\"4.5\">Circumferential distance on the pipe "
               "surface (half the circumference): " +
               Escape(o.Circumferential) + " " + unit + "</text>\n";
    }
    svg += "<text x=\"20\" y=\"200\" font-size=\"3.5\" fill=\"#555\">Grey: pipe wall; ochre: "
           "lining; blue: fluid; red: the sound beam; dashed: the sensors' reference marks.</text>\n";
    svg += "</svg>\n";
    return svg;
}

} // namespace QuillmereCalc
