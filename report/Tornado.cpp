#include "report/Tornado.h"

#include "catalogue/Catalogue.h"
#include "engine/UnitSystem.h"
#include "report/Svg.h"
#include "rules/Execute.h"
#include "rules/Fields.h"

#include <algorithm>
#include <cmath>

namespace Quillmere {

std::string TornadoSvg(const JobRecord& job, const Assessment& a, double widthMm) {
    namespace C = Catalogue::CheckText;
    const double nominal = job.Outcome.Breakdown.Unclamped;
    const std::string unit(UnitNamesOf(job.Units)[0]);
    const auto shown = [&](double mm) { return PlainLengthText(mm, job.Units) + " " + unit; };
    // The scale: the widest bar spans the plot, at least a tenth of a millimetre each way.
    double reach = 0.1;
    for (const TornadoBar& bar : a.Bars) {
        reach =
            std::max({reach, std::fabs(bar.MinusMm - nominal), std::fabs(bar.PlusMm - nominal)});
    }
    const double labels = 42;        // the captions' column, mm
    const double left = labels + 22; // the plot between the value labels
    const double right = widthMm - 22;
    const double axis = (left + right) / 2;
    const double perMm = (right - axis) / reach;
    const double barHeight = 6;
    const double top = 14;
    const double rows = static_cast<double>(std::max<std::size_t>(a.Bars.size(), 1));
    const double height = top + rows * (barHeight + 4) + 14;
    const auto x = [&](double mm) { return axis + (mm - nominal) * perMm; };
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
                      "xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      SvgNumber(widthMm) + "mm\" height=\"" + SvgNumber(height) +
                      "mm\" viewBox=\"0 0 " + SvgNumber(widthMm) + " " + SvgNumber(height) +
                      "\" font-family=\"sans-serif\" font-size=\"3.5\">\n";
    svg += "<rect width=\"" + SvgNumber(widthMm) + "\" height=\"" + SvgNumber(height) +
           "\" fill=\"#fff\"/>\n";
    svg += "<text x=\"2\" y=\"6\" font-weight=\"bold\">" +
           SvgEscape(Catalogue::Text(C::TornadoTitle, job.Lang)) + "</text>\n";
    double y = top;
    for (const TornadoBar& bar : a.Bars) {
        const double low = std::min(bar.MinusMm, bar.PlusMm);
        const double high = std::max(bar.MinusMm, bar.PlusMm);
        const std::string caption(Catalogue::Text(FieldOf(bar.Field).CaptionId, job.Lang));
        svg += "<text x=\"2\" y=\"" + SvgNumber(y + barHeight - 1.5) + "\">" + SvgEscape(caption) +
               "</text>\n";
        // The minus end's part in blue, the plus end's in red, each from the line.
        for (const auto& [end, colour] :
             {std::pair{bar.MinusMm, "#2f6db3"}, std::pair{bar.PlusMm, "#c0392b"}}) {
            const double from = std::min(x(end), axis);
            svg += "<rect x=\"" + SvgNumber(from) + "\" y=\"" + SvgNumber(y) + "\" width=\"" +
                   SvgNumber(std::fabs(x(end) - axis)) + "\" height=\"" + SvgNumber(barHeight) +
                   "\" fill=\"" + colour + "\"/>\n";
        }
        svg += "<text x=\"" + SvgNumber(x(low) - 1) + "\" y=\"" + SvgNumber(y + barHeight - 1.5) +
               "\" text-anchor=\"end\">" + SvgEscape(shown(low)) + "</text>\n";
        svg += "<text x=\"" + SvgNumber(x(high) + 1) + "\" y=\"" + SvgNumber(y + barHeight - 1.5) +
               "\">" + SvgEscape(shown(high)) + "</text>\n";
        y += barHeight + 4;
    }
    if (a.Bars.empty()) {
        svg += "<text x=\"" + SvgNumber(axis) + "\" y=\"" + SvgNumber(y + barHeight - 1.5) +
               "\" text-anchor=\"middle\">" +
               SvgEscape(std::string(Catalogue::Text(C::Tolerances, job.Lang)) + ": -") +
               "</text>\n";
        y += barHeight + 4;
    }
    svg += "<line x1=\"" + SvgNumber(axis) + "\" y1=\"" + SvgNumber(top - 2) + "\" x2=\"" +
           SvgNumber(axis) + "\" y2=\"" + SvgNumber(y) +
           "\" stroke=\"#000\" stroke-width=\"0.3\"/>\n";
    svg += "<text x=\"" + SvgNumber(axis) + "\" y=\"" + SvgNumber(y + 4) +
           "\" text-anchor=\"middle\">" + SvgEscape(shown(nominal)) + "</text>\n";
    return svg + "</svg>\n";
}

} // namespace Quillmere
