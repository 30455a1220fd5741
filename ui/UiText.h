#pragma once

#include <QString>

#include <string_view>

namespace QuillmereUi {

// The catalogue and the core speak UTF-8; the widgets take QStrings.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(QByteArrayView(text));
}

// A menu entry ("Save report...") names the dialog it opens, without its dots.
inline QString DialogTitle(QString menuText) {
    return menuText.remove(QStringLiteral("..."));
}

} // namespace QuillmereUi
