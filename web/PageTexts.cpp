// The words and lists the page starts with, qm_page's answer for each language and unit
// system, written once at build time as a script by the same code the core runs (in node):
// the page takes them from it at start instead of asking the core, whose first call costs a
// phone most of a tenth of a second.
//   node page_texts.js > texts.js
#include <cstdio>

extern "C" const char* qm_page(int lang, int unit);

int main() {
    std::fputs("// Written at build time: the core's qm_page for [lang][units].\n"
               "const QuillmereTexts = [",
               stdout);
    for (int lang = 0; lang < 2; ++lang) {
        std::fputs(lang == 0 ? "[" : ",[", stdout);
        for (int unit = 0; unit < 2; ++unit) {
            std::fputs(unit == 0 ? "" : ",", stdout);
            std::fputs(qm_page(lang, unit), stdout);
        }
        std::fputs("]", stdout);
    }
    std::fputs("];\n", stdout);
    return std::ferror(stdout) ? 1 : 0;
}
