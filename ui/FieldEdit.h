#pragma once

#include <QLineEdit>

// A numeric input field that reports when the focus moves from it to another control of
// the window. Switching to another program or opening a list's popup does not count.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void LostFocus(Qt::FocusReason reason);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
