#include "ui/FieldEdit.h"

#include <QFocusEvent>

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMethodHints(Qt::ImhFormattedNumbersOnly | Qt::ImhPreferLatin);
}

QVariant FieldEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    // QLineEdit asks for the input method whenever it is editable, whatever its attributes.
    return query == Qt::ImEnabled ? QVariant(false) : QLineEdit::inputMethodQuery(query);
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return;
    default:
        emit FocusLeft(event->reason());
    }
}
