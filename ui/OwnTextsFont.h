#pragma once

// The window's own texts (captions, list entries, results, the menu bar's titles) drawn in
// the run's face alone where it has every character of them: Qt then skips asking
// fontconfig, script by script, which faces to fall back on, a good part of the window's
// start. Where the face lacks one, faces fall back as usual, so no text is drawn as boxes.

#include <QFont>
#include <QStringList>

class QWidget;

namespace QuillmereUi {

// The texts a control shows: a label's, a button's, a group's title, a list's entries, a
// line's (with the digits and marks a result is written in), a menu bar's titles.
QStringList ShownTexts(const QWidget& control);

// `font` without falling back to other faces when its face covers what `control` shows.
QFont OwnTextsFont(const QFont& font, const QWidget& control);

} // namespace QuillmereUi
