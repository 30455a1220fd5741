#include "report/SiteSketch.h"

#include "catalogue/Catalogue.h"
#include "report/Svg.h"
#include "rules/Fields.h"
#include "rules/Words.h"

#include <tuple>

#include <algorithm>
#include <cmath>

namespace Quillmere {

namespace {

namespace S = Catalogue::SiteText;

class SiteDrawing {
public:
    SiteDrawing(const JobRecord& job, const SitePlan& plan, double width)
        : job_(job), plan_(plan), width_(width) {}

    std::string Svg() {
        const double height = 66;
        svg_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
               "xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
               SvgNumber(width_) + "mm\" height=\"" + SvgNumber(height) + "mm\" viewBox=\"0 0 " +
               SvgNumber(width_) + " " + SvgNumber(height) +
               "\" font-family=\"sans-serif\" font-size=\"3.2\">\n";
        svg_ += "<rect width=\"" + SvgNumber(width_) + "\" height=\"" + SvgNumber(height) +
                "\" fill=\"#fff\"/>\n";
        Text(2, 5, Words(S::MeasuringPoint).substr(0, Words(S::MeasuringPoint).find("...")), "",
             true);
        Pipe();
        Section();
        return svg_ + "</svg>\n";
    }

private:
    std::string Words(std::int16_t id) const { return std::string(Catalogue::Text(id, job_.Lang)); }

    void Text(double x, double y, const std::string& text, const std::string& anchor = "",
              bool bold = false) {
        svg_ += "<text x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\"" +
                (anchor.empty() ? "" : " text-anchor=\"" + anchor + "\"") +
                (bold ? " font-weight=\"bold\"" : "") + ">" + SvgEscape(text) + "</text>\n";
    }

    void Line(double x1, double y1, double x2, double y2, const std::string& style) {
        svg_ += "<line x1=\"" + SvgNumber(x1) + "\" y1=\"" + SvgNumber(y1) + "\" x2=\"" +
                SvgNumber(x2) + "\" y2=\"" + SvgNumber(y2) + "\" " + style + "/>\n";
    }

    void Rect(double x, double y, double w, double h, const std::string& style) {
        svg_ += "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" +
                SvgNumber(w) + "\" height=\"" + SvgNumber(h) + "\" " + style + "/>\n";
    }

    // A dimension line from x1 to x2 at y, with its text above it.
    void Dimension(double x1, double x2, double y, const std::string& text,
                   const std::string& colour) {
        const std::string stroke = "stroke=\"" + colour + "\" stroke-width=\"0.3\"";
        Line(x1, y, x2, y, stroke);
        Line(x1, y - 1.5, x1, y + 1.5, stroke);
        Line(x2, y - 1.5, x2, y + 1.5, stroke);
        svg_ += "<text x=\"" + SvgNumber((x1 + x2) / 2) + "\" y=\"" + SvgNumber(y - 1) +
                "\" text-anchor=\"middle\" fill=\"" + colour + "\">" + SvgEscape(text) +
                "</text>\n";
    }

    // The pipe along the page: the fittings at its ends (hatched boxes), the sensors in the
    // middle, the required runs below it (drawn to one scale with the sensors' place), the
    // runs the site has above it.
    void Pipe() {
        const double left = 12, right = 104, top = 24, bottom = 34;
        const double sensorsLeft = 52, sensorsRight = 64;
        const std::string pipe = "fill=\"#e8eef5\" stroke=\"#333\" stroke-width=\"0.4\"";
        Rect(left, top, right - left, bottom - top, pipe);
        Line(left - 6, (top + bottom) / 2, right + 6, (top + bottom) / 2,
             "stroke=\"#777\" stroke-width=\"0.25\" stroke-dasharray=\"2 1\"");
        // The flow's direction.
        Text(left + 1, top - 1.5, "→");
        for (const auto& [side, x, id] : {std::tuple{&plan_.Up, left - 8, S::Upstream},
                                          std::tuple{&plan_.Down, right, S::Downstream}}) {
            Rect(x, top - 3, 8, bottom - top + 6,
                 side->Kind ? "fill=\"#b8c4d0\" stroke=\"#333\" stroke-width=\"0.4\""
                            : "fill=\"none\" stroke=\"#999\" stroke-width=\"0.3\" "
                              "stroke-dasharray=\"1 1\"");
            const std::string name =
                side->Kind ? Words(FittingOf(*side->Kind).NameId) : Words(S::NoFitting);
            // The names from the drawing's edge inwards, so that a long one stays on it.
            const bool up = id == S::Upstream;
            Text(up ? 2 : x + 8, bottom + 18, Words(id), up ? "" : "end", true);
            Text(up ? 2 : x + 8, bottom + 22, Abridged(name, 60), up ? "" : "end");
        }
        // The sensors, on the pipe's near side or across it.
        const std::string sensor = "fill=\"#f5c542\" stroke=\"#333\" stroke-width=\"0.3\"";
        Rect(sensorsLeft, top - 4, 4, 4, sensor);
        Rect(sensorsRight - 4, plan_.OppositeSides ? bottom : top - 4, 4, 4, sensor);
        Text((sensorsLeft + sensorsRight) / 2, top - 5.5, Words(S::Sensors), "middle");
        // Required below, available above: each from its fitting to the sensors.
        for (const auto& [side, from, to] : {std::tuple{&plan_.Up, left, sensorsLeft},
                                             std::tuple{&plan_.Down, sensorsRight, right}}) {
            if (!side->Kind) {
                continue;
            }
            Dimension(from, to, bottom + 8,
                      Words(S::Required) + " " + std::to_string(side->Diameters) +
                          " D = " + RunLengthText(side->RequiredMm, job_.Units, true),
                      "#1f4e8c");
            if (side->AvailableMm) {
                const bool enough = side->Enough.value_or(false);
                Dimension(from, to, top - 10,
                          Words(S::Available) + " " +
                              RunLengthText(*side->AvailableMm, job_.Units, false) +
                              (enough ? " ✓" : " ✗"),
                          enough ? "#2e7d32" : "#c62828");
            }
        }
    }

    // The pipe's section, seen along the flow: the sensors at their clock positions.
    void Section() {
        const double cx = 138, cy = 34, r = 14;
        Text(cx, 12, Words(S::Position), "middle", true);
        svg_ += "<circle cx=\"" + SvgNumber(cx) + "\" cy=\"" + SvgNumber(cy) + "\" r=\"" +
                SvgNumber(r) + "\" fill=\"#e8eef5\" stroke=\"#333\" stroke-width=\"0.4\"/>\n";
        const bool horizontal = plan_.Run == PipeRun::Horizontal;
        if (horizontal) {
            // The band within 45° of the horizontal plane, on both sides.
            for (const double side : {1.0, -1.0}) {
                const double d = r * std::sqrt(0.5);
                svg_ += "<path d=\"M " + SvgNumber(cx) + " " + SvgNumber(cy) + " L " +
                        SvgNumber(cx + side * d) + " " + SvgNumber(cy - d) + " A " + SvgNumber(r) +
                        " " + SvgNumber(r) + " 0 0 " + (side > 0 ? "1" : "0") + " " +
                        SvgNumber(cx + side * d) + " " + SvgNumber(cy + d) +
                        " Z\" fill=\"#d6ecd2\" stroke=\"none\"/>\n";
            }
            Text(cx, cy - r - 1.5, "12", "middle");
            Text(cx, cy + r + 4, "6", "middle");
        }
        for (std::size_t i = 0; i < 2; ++i) {
            const double hour =
                horizontal ? plan_.Clock[i] : (i == 0 || !plan_.OppositeSides ? 3 : 9);
            const double angle = hour / 12.0 * 2 * 3.14159265358979323846;
            const double x = cx + (r + 2.5) * std::sin(angle);
            const double y = cy - (r + 2.5) * std::cos(angle);
            Rect(x - 2, y - 2 + (i == 1 && !plan_.OppositeSides ? 0.6 : 0), 4, 4,
                 "fill=\"#f5c542\" stroke=\"#333\" stroke-width=\"0.3\"");
            if (horizontal) {
                Text(x, y - 3, std::to_string(static_cast<int>(hour)), "middle");
            }
        }
        Text(cx, cy + r + 9,
             Words(static_cast<std::int16_t>(S::RunHorizontal + static_cast<int>(plan_.Run))),
             "middle");
        if (!job_.Outcome.Display.Circumferential.empty()) {
            Text(cx, cy + r + 13,
                 job_.Outcome.Display.Circumferential + " " +
                     std::string(UnitNamesOf(job_.Units)[0]),
                 "middle");
        }
    }

    const JobRecord& job_;
    const SitePlan& plan_;
    double width_;
    std::string svg_;
};

} // namespace

std::string SiteSketchSvg(const JobRecord& job, const SitePlan& plan) {
    return SiteDrawing(job, plan, 160).Svg();
}

} // namespace Quillmere
