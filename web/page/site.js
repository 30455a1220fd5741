// "Measuring point": under the result, the fittings upstream and downstream, the straight
// runs the site has and the pipe's run; the core's runs, the sensors' places and the site
// sketch follow what is chosen, and the job's summary (copied, shared, printed) carries them.
const QuillmereSite = (() => {
  'use strict';
  const $ = (id) => document.getElementById(id);
  const given = {}; // what was chosen and typed, by the core's keys, for the visit
  const panel = QuillmerePanel('Site', 'PrintSite', () => refresh());
  const { state, image } = panel;

  // The lists and fields, built once a language is known; chosen values stay as they were.
  function build(r) {
    const labelled = (key, control, unit) => {
      const label = Object.assign(document.createElement('label'), { className: 'list' });
      const caption = Object.assign(document.createElement('span'), { textContent: r.captions[key] });
      control.id = key;
      control.setAttribute('aria-label', r.captions[key]);
      const events = control.tagName === 'SELECT' ? 'change' : 'input';
      control.addEventListener(events, () => {
        given[key] = control.value;
        refresh();
      });
      if (unit) {
        const entry = Object.assign(document.createElement('span'), { className: 'entry' });
        entry.append(control, Object.assign(document.createElement('span'), { className: 'unit', textContent: unit }));
        label.append(caption, entry);
      } else {
        label.append(caption, control);
      }
      return label;
    };
    const list = (key, entries, first) => {
      const select = document.createElement('select');
      select.append(...[...(first ? [{ key: '', name: first }] : []), ...entries]
        .map((e) => Object.assign(new Option(e.name, e.key), { selected: (given[key] ?? '') === e.key })));
      return labelled(key, select);
    };
    const length = (key) => {
      const input = Object.assign(document.createElement('input'), {
        inputmode: 'decimal', autocomplete: 'off', spellcheck: false, value: given[key] ?? '',
      });
      input.setAttribute('inputmode', 'decimal');
      state.page.asKeysPressed(input);
      return labelled(key, input, r.unit);
    };
    $('SiteInputs').replaceChildren(
      list('upstream', r.fittings, r.notGiven), length('available_upstream'),
      list('downstream', r.fittings, r.notGiven), length('available_downstream'),
      list('pipe_run', r.runs));
  }

  // The core's figures for what is chosen now, and the summary with them.
  function refresh() {
    const { page, shown } = state;
    if (!shown) {
      return;
    }
    const r = page.ask('qm_site', { ...shown.request, ...QuillmereHowSure.request(), ...given });
    if (!r.ok) {
      return; // the job itself refused: nothing is shown for it
    }
    // Built again in the other language or units after a switch.
    if (!$('SiteInputs').firstChild || $('SiteInputs').dataset.key !== r.title + r.unit) {
      build(r);
      $('SiteInputs').dataset.key = r.title + r.unit;
    }
    $('SiteProblem').textContent = r.error;
    $('SiteProblem').hidden = !r.error;
    $('SiteFigures').textContent = r.lines.join('\n');
    $('SiteSketch').replaceChildren(image(r.sketch, r.title));
    // A refused entry leaves the record without any of it, as the window's does.
    shown.record.summary = r.summary;
    $('PrintSummary').textContent = r.summary;
    $('PrintSite').replaceChildren(...(r.given ? [image(r.sketch, r.title)] : []));
  }

  // What the next request carries: the choices and texts as they stand.
  const request = () => ({ ...given });
  // The units switched: the runs the site has were typed in the others; the fittings stay.
  function forgetLengths() {
    delete given.available_upstream;
    delete given.available_downstream;
    $('SiteInputs').replaceChildren();
  }

  // A new result: the panel offered under it, filled only once it is opened.
  const show = (page, request, record, title) => panel.show(page, request, record, title, given);
  return { show, hide: panel.hide, request, forgetLengths };
})();
