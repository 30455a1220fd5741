#include "ui/PrintModule.h"

#include <QLibrary>

namespace QuillmereUi {

QString PrintModulePath(const QString& folder) {
    return folder + QStringLiteral("/quillmere-print");
}

PrintOutcome PrintThroughModule(const QString& folder, QWidget* parent,
                                const std::function<bool(QPagedPaintDevice&)>& paint) {
    // Never unloaded: a second load of a loaded module is a lookup, and Qt's print support
    // may keep objects of its own once it has run.
    QLibrary module(PrintModulePath(folder));
    if (!module.load()) {
        return PrintOutcome::Unavailable;
    }
    const auto entry = reinterpret_cast<PrintEntry>(module.resolve(PrintEntryName));
    if (entry == nullptr) {
        return PrintOutcome::Unavailable;
    }
    const auto painter = [](QPagedPaintDevice& device, void* context) {
        return (*static_cast<const std::function<bool(QPagedPaintDevice&)>*>(context))(device);
    };
    const int outcome = entry(parent, painter, const_cast<void*>(static_cast<const void*>(&paint)));
    switch (outcome) {
    case static_cast<int>(PrintOutcome::Printed):
    case static_cast<int>(PrintOutcome::Cancelled):
    case static_cast<int>(PrintOutcome::Failed):
        return static_cast<PrintOutcome>(outcome);
    default:
        return PrintOutcome::Failed;
    }
}

} // namespace QuillmereUi
