// "How sure": under the result, a plus/minus for each input the spacing read and the fluid
// sound velocity the converter measures; the core's figures and tornado chart follow what is
// typed, and the job's summary (copied, shared, printed) carries them.
const QuillmereHowSure = (() => {
  'use strict';
  const $ = (id) => document.getElementById(id);
  const given = {}; // what was typed, by the core's keys, for the visit
  const panel = QuillmerePanel('HowSure', 'PrintTornado', () => refresh());
  const { state, image } = panel;

  // The fields for the inputs this job read; typed values stay as they were.
  function build(r) {
    const row = (item, plusMinus) => {
      const label = Object.assign(document.createElement('label'), { className: 'sure' });
      const caption = Object.assign(document.createElement('span'), { className: 'caption' });
      caption.append(Object.assign(document.createElement('bdi'), { textContent: item.caption }));
      if (item.value) {
        caption.append(' ', Object.assign(document.createElement('bdi'), { className: 'read', textContent: `${item.value} ${item.unit}` }));
      }
      const input = Object.assign(document.createElement('input'), {
        id: item.key, inputmode: 'decimal', autocomplete: 'off', spellcheck: false, value: given[item.key] ?? '',
      });
      input.setAttribute('inputmode', 'decimal');
      input.setAttribute('aria-label', plusMinus ? `${item.caption} ${plusMinus}` : item.caption);
      input.addEventListener('input', () => {
        given[item.key] = input.value;
        refresh();
      });
      state.page.asKeysPressed(input);
      const entry = Object.assign(document.createElement('span'), { className: 'entry' });
      entry.append(...(plusMinus ? [Object.assign(document.createElement('span'), { textContent: plusMinus })] : []),
        input, Object.assign(document.createElement('span'), { className: 'unit', textContent: item.unit }));
      label.append(caption, entry);
      return label;
    };
    $('HowSureInputs').replaceChildren(...r.inputs.map((item) => row(item, r.plusMinus)), row(r.measured, ''));
  }

  // The core's figures for what is typed now, and the summary with them.
  function refresh() {
    const { page, shown } = state;
    if (!shown) {
      return;
    }
    const r = page.ask('qm_how_sure', { ...shown.request, ...given, ...QuillmereSite.request() });
    if (!r.ok) {
      return; // the job itself refused: nothing is shown for it
    }
    // Built again for other inputs, and in the other language after a switch.
    const keys = [r.title, ...r.inputs.map((i) => i.key)].join();
    if (!$('HowSureInputs').firstChild || $('HowSureInputs').dataset.keys !== keys) {
      build(r);
      $('HowSureInputs').dataset.keys = keys;
    }
    $('HowSureProblem').textContent = r.error;
    $('HowSureProblem').hidden = !r.error;
    $('HowSureFigures').textContent = r.lines.join('\n');
    $('HowSureChart').replaceChildren(image(r.tornado, r.title));
    // A refused entry leaves the record without any of it, as the window's does.
    shown.record.summary = r.summary;
    $('PrintSummary').textContent = r.summary;
    $('PrintTornado').replaceChildren(...(r.toleranced ? [image(r.tornado, r.title)] : []));
  }

  // What the next execute request carries: the plus/minus texts as typed.
  const request = () => ({ ...given });
  // The units switched: every text here was typed in the others (0.5 mm is no 0.5 inch).
  function forget() {
    Object.keys(given).forEach((key) => delete given[key]);
    $('HowSureInputs').replaceChildren();
  }

  // A new result: the panel offered under it, filled only once it is opened.
  function show(page, request, record, title) {
    $('HowSureInputs').dataset.keys = '';
    panel.show(page, request, record, title, given);
  }
  return { show, hide: panel.hide, request, forget };
})();
