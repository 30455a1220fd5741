#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace QuillmereUi {

// Every message of the window goes through here: a modal box titled "Quillmere", with the
// text, an OK button and no icon. Tests replace the handler to see and answer messages.
void ShowMessage(QWidget* parent, const QString& text);

using MessageHandler = std::function<void(QWidget* parent, const QString& text)>;
void SetMessageHandler(MessageHandler handler); // an empty handler restores the real box

inline const QString ApplicationTitle = QStringLiteral("Quillmere");

} // namespace QuillmereUi
