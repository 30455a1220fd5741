#include "ui/MessageBox.h"

#include <QMessageBox>

namespace QuillmereUi {
namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

} // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    if (Handler()) {
        Handler()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("QuillmereMessage"));
    box.exec();
}

void SetMessageHandler(MessageHandler handler) {
    Handler() = std::move(handler);
}

} // namespace QuillmereUi
