// The print module: Qt's printer and print dialog, loaded by the window only when Print is
// chosen. It paints nothing itself; the window hands it the painting.
#include "ui/PrintModule.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <type_traits>

extern "C" Q_DECL_EXPORT int QuillmerePrint(QWidget* parent, QuillmereUi::PaintPage paint,
                                            void* context) {
    using QuillmereUi::PrintOutcome;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted) {
        return static_cast<int>(PrintOutcome::Cancelled);
    }
    return static_cast<int>(paint(printer, context) ? PrintOutcome::Printed : PrintOutcome::Failed);
}

// The window calls it through this type: the two must not drift apart.
static_assert(std::is_same_v<decltype(&QuillmerePrint), QuillmereUi::PrintEntry>);
