// The form's controls as a phone shows them: the input rows the core describes, the lists,
// and what the phone's keyboard gives the number fields made what the window's fields take.
const QuillmereForm = (() => {
  'use strict';

  // A row for each input field, by the window's control names (OUTER_DIAMETER ->
  // #OUTER_DIAMETERText); its texts come from the core in the chosen language.
  function buildRows(rows) {
    rows.forEach((row) => {
      document.getElementById(row + 'Row').innerHTML =
        `<label for="${row}Text"><span class="mark" aria-hidden="true">*</span><span id="${row}"></span></label>` +
        `<span class="entry"><input id="${row}Text" inputmode="decimal" autocomplete="off" enterkeyhint="go" spellcheck="false" aria-describedby="${row}_RANGE">` +
        `<span class="unit" id="${row}_UNIT"></span></span><small class="range" id="${row}_RANGE"></small>`;
    });
  }

  // A list's entries anew, its choice kept where it still exists.
  function fill(select, items) {
    const kept = select.selectedIndex;
    select.replaceChildren(...items.map((text, i) => new Option(text, String(i))));
    select.selectedIndex = kept >= 0 && kept < items.length ? kept : 0;
  }

  // A phone's decimal keypad offers its locale's separator only; where that is a comma
  // (German, French ...) it has no '.', the one decimal point the fields take, and the
  // full keyboard is the way to type one.
  function chooseKeyboards() {
    let point = '.';
    try {
      point = new Intl.NumberFormat(navigator.language).formatToParts(1.5).find((p) => p.type === 'decimal').value;
    } catch {
      // no locale data: the keypad it is
    }
    if (point !== '.') {
      document.querySelectorAll('input[inputmode="decimal"]').forEach((input) => { input.inputMode = 'text'; });
    }
  }

  // The window's number fields bypass the input method; a page cannot, so what a Japanese
  // input method left on makes of the digit keys (１１４．３) becomes the keys pressed.
  // Pasted text stays as it is, and is refused as the window refuses it.
  function asKeysPressed(input) {
    const halfWidth = () => {
      const typed = input.value.replace(/[０-９．，]/g, (c) => String.fromCharCode(c.charCodeAt(0) - 0xFEE0));
      if (typed !== input.value) {
        const [start, end] = [input.selectionStart, input.selectionEnd]; // one unit for one
        input.value = typed;
        input.setSelectionRange(start, end);
      }
    };
    input.addEventListener('compositionend', halfWidth);
    input.addEventListener('input', (event) => {
      if (!event.isComposing && event.inputType === 'insertText') {
        halfWidth();
      }
    });
  }

  // A field given the focus (a tap, the keyboard's Next) is never left behind the action bar:
  // the browser scrolls only a field outside the screen into it. Where the browser lays the
  // keyboard over the page instead of shrinking it (Safari), the bar rides above it.
  function keepBarClear(form, bar) {
    const fixed = () => getComputedStyle(bar).position === 'fixed';
    form.addEventListener('focusin', (event) => {
      if (!(event.target instanceof HTMLInputElement) || !fixed()) {
        return;
      }
      requestAnimationFrame(() => {
        const covered = event.target.getBoundingClientRect().bottom - bar.getBoundingClientRect().top + 8;
        if (covered > 8) {
          window.scrollBy({ top: covered });
        }
      });
    });
    if (window.visualViewport) {
      const place = () => {
        const covered = window.innerHeight - visualViewport.height - visualViewport.offsetTop;
        bar.style.transform = covered > 0 && fixed() ? `translateY(${-covered}px)` : '';
      };
      visualViewport.addEventListener('resize', place);
      visualViewport.addEventListener('scroll', place);
    }
  }

  return { buildRows, fill, chooseKeyboards, asKeysPressed, keepBarClear };
})();
