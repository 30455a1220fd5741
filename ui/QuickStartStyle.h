#pragma once

class QStyle;

namespace QuillmereUi {

// The application's style, wrapped so that the menu bar's overflow icon is read when it is
// first drawn, not when the bar is built. Call once, after QApplication, before the window.
void UseQuickStartStyle();

} // namespace QuillmereUi
