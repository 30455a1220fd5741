#pragma once

// The window's record of a job on paper: one A4 page with the title, the date, the job
// summary and the to-scale sketch, painted the same way into a PDF file or a printer.

#include "rules/JobRecord.h"

#include <QString>

class QPagedPaintDevice;

namespace QuillmereUi {

// Paints the report on the device's current page. False when nothing could be painted.
bool PaintReport(QPagedPaintDevice& device, const Quillmere::JobRecord& job, const QString& summary,
                 const QString& fontFamily);

// Writes the report as a one-page A4 PDF. False when the file cannot be written.
bool SaveReportPdf(const QString& path, const Quillmere::JobRecord& job, const QString& summary,
                   const QString& fontFamily);

} // namespace QuillmereUi
