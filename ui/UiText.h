#pragma once

#include <QString>

#include <algorithm>
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

// A menu text with its access key: "S&tandard pipe..." in English, "規格の配管(&T)..." in
// Japanese, where the key follows the text as Japanese menus write it.
inline QString WithAccessKey(QString text, QChar key) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    const qsizetype at = text.indexOf(key, 0, Qt::CaseInsensitive);
    if (ascii && at >= 0) {
        return text.insert(at, QLatin1Char('&'));
    }
    const qsizetype dots = text.endsWith(QStringLiteral("...")) ? text.size() - 3 : text.size();
    return text.insert(dots, QStringLiteral("(&%1)").arg(key.toUpper()));
}

} // namespace QuillmereUi
