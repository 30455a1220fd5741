#pragma once

#include <QLineEdit>

// A numeric input field that reports when the focus moves from it to another control of
// the window. Switching to another program or opening a list's popup does not count.
// Digits are typed past the input method: a Japanese one left on would compose full-width
// digits ("１１４"), which no number check takes.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget* parent = nullptr);
    using QLineEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void FocusLeft(Qt::FocusReason reason);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
