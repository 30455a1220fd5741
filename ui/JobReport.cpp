#include "ui/JobReport.h"

#include "report/SiteSketch.h"
#include "report/Sketch.h"
#include "report/Tornado.h"
#include "rules/HowSure.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>
#include <QSvgRenderer>
#include <QTextOption>

#include <algorithm>

namespace QuillmereUi {
namespace {

constexpr double A4Width = 210;
constexpr double Margin = 15;
constexpr double LineStep = 5.6;     // mm from one summary line to the next
constexpr double SketchTop = 125;    // mm from the top, unless the summary reaches further
constexpr double SketchBottom = 265; // the footer's lines follow, down to 279 mm

} // namespace

bool PaintReport(QPagedPaintDevice& device, const Quillmere::JobRecord& job, const QString& summary,
                 const QString& fontFamily) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    // Work in millimetres from the paper's corner, whatever the device's resolution and
    // margins: the sketch's scale holds on paper.
    painter.scale(device.logicalDpiX() / 25.4, device.logicalDpiY() / 25.4);
    const QRectF printable = device.pageLayout().paintRect(QPageLayout::Millimeter);
    painter.translate(-printable.left(), -printable.top());

    // A font size in points on paper, in a painter whose unit is the millimetre.
    const auto points = [&device](double size) { return size * 25.4 / device.logicalDpiY(); };
    QStringList lines = summary.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString title = lines.isEmpty() ? QString() : lines.takeFirst();
    QFont font(fontFamily);
    font.setPointSizeF(points(16));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QPointF(Margin, Margin + 6), title);
    font.setPointSizeF(points(10));
    font.setBold(false);
    painter.setFont(font);
    // A line longer than the page (a note, a long path) wraps, and the sketch moves down.
    const double width = A4Width - 2 * Margin;
    // The font's size is set for the millimetre unit, so its metrics come in millimetres.
    const double ascent = QFontMetricsF(font, painter.device()).ascent();
    double y = Margin + 16;
    // A word wider than the page (a tag typed without blanks) breaks where it must.
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& line : lines) {
        const QRectF box(Margin, y - ascent, width, SketchBottom);
        const QRectF used = painter.boundingRect(box, line, wrap);
        painter.drawText(box, line, wrap);
        y += std::max(LineStep, used.height());
    }

    // The sketch's own words are drawn as paths; its scale and legend go below it as text.
    const double top = std::max(SketchTop, y);
    const Quillmere::SketchArea area{width, SketchBottom - top, false, false};
    QSvgRenderer renderer(QByteArray::fromStdString(Quillmere::SketchSvg(job, area)));
    renderer.render(&painter, QRectF(Margin, top, area.WidthMm, area.HeightMm));
    y = SketchBottom + 5;
    for (const std::string& line : Quillmere::SketchFooter(job, area)) {
        painter.drawText(QPointF(Margin, y), QString::fromStdString(line));
        font.setPointSizeF(points(8));
        painter.setFont(font);
        y += 4.5;
    }
    // How sure the spacing is and where to clamp: each drawing on a page of its own, at the
    // summary's scale.
    const auto drawingPage = [&](const std::string& svg) {
        if (device.newPage()) {
            QSvgRenderer drawing(QByteArray::fromStdString(svg));
            const QSizeF size = drawing.defaultSize();
            drawing.render(&painter,
                           QRectF(Margin, Margin, width, width * size.height() / size.width()));
        }
    };
    if (job.Uncertain.Toleranced()) {
        const Quillmere::Assessment assessment = Quillmere::AssessJob(job, job.Uncertain);
        if (assessment.Ok()) {
            drawingPage(Quillmere::TornadoSvg(job, assessment, width));
        }
    }
    if (job.Point.Given()) {
        const Quillmere::SitePlan plan = Quillmere::PlanSite(job, job.Point);
        if (plan.Ok()) {
            drawingPage(Quillmere::SiteSketchSvg(job, plan));
        }
    }
    return painter.end();
}

// Rendered in memory and saved through a temporary file that replaces the target only when
// every byte is written: a full disk reports failure and leaves an earlier report whole.
bool SaveReportPdf(const QString& path, const Quillmere::JobRecord& job, const QString& summary,
                   const QString& fontFamily) {
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&page);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pdf.setResolution(600);
    pdf.setTitle(summary.section(QLatin1Char('\n'), 0, 0));
    pdf.setCreator(QStringLiteral("Quillmere"));
    if (!PaintReport(pdf, job, summary, fontFamily) || page.data().isEmpty()) {
        return false;
    }
    QSaveFile file(path);
    // A writable report in a folder that takes no new files is still overwritten in place.
    file.setDirectWriteFallback(true);
    return file.open(QIODevice::WriteOnly) && file.write(page.data()) == page.data().size() &&
           file.commit();
}

} // namespace QuillmereUi
