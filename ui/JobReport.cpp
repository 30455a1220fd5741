#include "JobReport.h"

#include "Sketch.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QSvgRenderer>

namespace QuillmereUi {
namespace {

constexpr double A4Width = 210;
constexpr double Margin = 15;
constexpr double SketchTop = 125; // mm from the top: below the summary
constexpr double SketchHeight = 140;

} // namespace

bool PaintReport(QPagedPaintDevice& device, const Quillmere::JobRecord& job,
                 const QString& summary, const QString& fontFamily) {
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
    double y = Margin + 16;
    for (const QString& line : lines) {
        painter.drawText(QPointF(Margin, y), line);
        y += 5.6;
    }

    // The sketch's own words are drawn as paths; its scale and legend go below it as text.
    const Quillmere::SketchArea area{A4Width - 2 * Margin, SketchHeight, false, false};
    QSvgRenderer renderer(QByteArray::fromStdString(Quillmere::SketchSvg(job, area)));
    renderer.render(&painter, QRectF(Margin, SketchTop, area.WidthMm, area.HeightMm));
    y = SketchTop + SketchHeight + 5;
    for (const std::string& line : Quillmere::SketchFooter(job, area)) {
        painter.drawText(QPointF(Margin, y), QString::fromStdString(line));
        font.setPointSizeF(points(8));
        painter.setFont(font);
        y += 4.5;
    }
    return painter.end();
}

bool SaveReportPdf(const QString& path, const Quillmere::JobRecord& job, const QString& summary,
                   const QString& fontFamily) {
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pdf.setResolution(600);
    pdf.setTitle(summary.section(QLatin1Char('\n'), 0, 0));
    pdf.setCreator(QStringLiteral("Quillmere"));
    return PaintReport(pdf, job, summary, fontFamily) && QFile(path).size() > 0;
}

} // namespace QuillmereUi
