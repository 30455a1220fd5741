#pragma once

// Printing goes through a module of its own beside the program (quillmere-print), loaded
// the first time Print is chosen: Qt's print support and its dialog are not loaded, nor
// paid for, at the window's start.

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace QuillmereUi {

enum class PrintOutcome : int { Printed, Cancelled, Failed, Unavailable };

// What the module exports, with C linkage: asks for a printer (A4) and paints on it.
using PaintPage = bool (*)(QPagedPaintDevice& device, void* context);
using PrintEntry = int (*)(QWidget* parent, PaintPage paint, void* context);
inline constexpr const char* PrintEntryName = "QuillmerePrint";

// The module's path without its suffix, in `folder`.
QString PrintModulePath(const QString& folder);

// Shows the print dialog over `parent` and, once accepted, paints the page. Unavailable when
// the module in `folder` is missing or is not ours.
PrintOutcome PrintThroughModule(const QString& folder, QWidget* parent,
                                const std::function<bool(QPagedPaintDevice&)>& paint);

} // namespace QuillmereUi
