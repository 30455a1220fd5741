#include "ui/OwnTextsFont.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace QuillmereUi {

QStringList ShownTexts(const QWidget& control) {
    QStringList texts;
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        texts << label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        texts << button->text();
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
        texts << group->title();
    } else if (const auto* line = qobject_cast<const QLineEdit*>(&control)) {
        texts << line->text() << QStringLiteral("0123456789,.-");
    } else if (const auto* list = qobject_cast<const QComboBox*>(&control)) {
        for (int i = 0; i < list->count(); ++i) {
            texts << list->itemText(i);
        }
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(&control)) {
        for (const QAction* action : bar->actions()) {
            texts << QString(action->text()).remove(QLatin1Char('&'));
        }
    }
    return texts;
}

QFont OwnTextsFont(const QFont& font, const QWidget& control) {
    QFont alone = font;
    alone.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetrics metrics(alone);
    for (const QString& text : ShownTexts(control)) {
        for (const char32_t c : text.toUcs4()) {
            if (!metrics.inFontUcs4(c)) {
                return font;
            }
        }
    }
    return alone;
}

} // namespace QuillmereUi
