// The page: the window's controls laid out for a phone, every rule from the C++ core
// (quillmere_core.wasm): texts, lists, locks, leave-field checks, refusals and results.
'use strict';

(() => {
  // The six input rows in the core's field order, by the window's control names: the core
  // describes them (qm_page's fields).
  let ROWS = [];
  const LISTS = ['PIPE_MATERIALCombo', 'LINING_MATERIALCombo', 'KIND_OF_FLUIDCombo', 'SENSOR_MOUNTCombo', 'SENSOR_TYPECombo'];
  const $ = (id) => document.getElementById(id);
  const { remembered, remember, now, stamp, keptJobs } = QuillmereKept;
  const { buildRows, fill, chooseKeyboards, asKeysPressed, keepBarClear } = QuillmereForm;
  let core = null; // the form's module: words, checks, the result
  let texts = null; // the core's texts of the page in the chosen language and units
  let lang = 1;
  let units = 0;
  let refusing = false; // a refusal is on screen: other fields' checks wait
  let job = null; // the computed job on screen, with its record
  let pending = null; // the result on screen while its record is asked for
  // The helpers' notes and what they typed; the core puts a note on the record only while
  // the fields still hold the helper's figures.
  const notes = { pipe: '', outer: '', wall: '', temperature: '', velocity: '', water: {}, liningNote: '', lining: '' };

  const field = (i) => $(ROWS[i] + 'Text');
  // The job's identity inputs by the core's keys: site -> JobSite.
  const identityInput = (key) => $('Job' + key[0].toUpperCase() + key.slice(1));
  const index = (id) => $(id).selectedIndex;
  const json = (name, types, args, module = core) => JSON.parse(module.ccall(name, 'string', types, args));
  // A record of texts passed whole, with its length: key 0xFE value 0xFF, pair after pair
  // (neither byte occurs in UTF-8). A NUL typed or pasted reaches the core's checks as it
  // is, instead of ending the text there as a C string would.
  const encoder = new TextEncoder();
  const call = (name, record, module = core) => {
    const parts = Object.entries(record).flatMap(([key, value]) =>
      [encoder.encode(key), [0xFE], encoder.encode(String(value)), [0xFF]]);
    const bytes = new Uint8Array(parts.reduce((sum, part) => sum + part.length, 0));
    parts.reduce((at, part) => { bytes.set(part, at); return at + part.length; }, 0);
    return module.ccall(name, 'string', ['array', 'number'], [bytes, bytes.length]);
  };
  const ask = (name, record, module = core) => JSON.parse(call(name, record, module));

  // What needs the record's module (the summary, the sheet line, the helpers, the panels), run
  // once it is there; said when it cannot be fetched.
  const withRecord = (then) => QuillmereRecordModule.load().then(then, () => message(lang === 0
    ? 'ページの一部を読み込めませんでした。接続を確かめて、もう一度お試しください。'
    : 'Part of the page could not be loaded: check the connection and try again.'));
  const recordModule = () => QuillmereRecordModule.module;
  // A drawing of the core's as an image, named by the sketch's legend.
  const svgImage = (svg) => Object.assign(new Image(), {
    src: 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg), alt: texts.legend,
  });

  // The page's words in the chosen language and units (`given`: already asked of the core).
  function applyTexts(given = null) {
    texts = given ?? json('qm_page', ['number', 'number'], [lang, units]);
    document.documentElement.lang = lang === 0 ? 'ja' : 'en';
    document.title = texts.title;
    $('Title').textContent = texts.title;
    texts.fields.forEach((f, i) => {
      $(ROWS[i]).textContent = f.caption;
      $(ROWS[i] + '_UNIT').textContent = f.unit;
      $(ROWS[i] + '_RANGE').textContent = f.range;
      field(i).maxLength = f.maxLength;
      field(i).setAttribute('aria-label', f.caption);
    });
    const captions = {
      PIPE_MATERIAL: texts.pipeMaterial, LINING_MATERIAL: texts.liningMaterial, KIND_OF_FLUID: texts.kindOfFluid,
      SENSOR_MOUNT: texts.sensorMount, SENSOR_TYPE: texts.sensorType, MOUNT_SIZE1: texts.spacing1,
      MOUNT_SIZE2: texts.spacing2, ExecuteCalc: texts.execute, fraResultTitle: texts.result,
      lblInputRequired: texts.input, Label4: texts.spacingUnit, lblMount2Sensor: texts.stepped,
      CIRCUMFERENTIAL: texts.circumferential, CIRCUMFERENTIAL_UNIT: texts.spacingUnit, FLUID_PATH: texts.fluidPath,
      StandardPipeAction: texts.standardPipe, FluidAtTemperatureAction: texts.fluidAtTemperature,
      CopySummaryAction: texts.copySummary, PrintAction: texts.print, HelpAction: texts.help, StandardPipeTitle: texts.standardPipe,
      StandardCaption: texts.standard, SizeCaption: texts.size, ScheduleCaption: texts.schedule, MortarCaption: texts.mortar,
      MaterialCaption: texts.pipeMaterial,
      FluidAtTemperatureTitle: texts.fluidAtTemperature, FluidCaption: texts.kindOfFluid,
      TemperatureCaption: texts.temperature, PressureCaption: texts.pressure, SalinityCaption: texts.salinity,
    };
    for (const [id, text] of Object.entries(captions)) {
      $(id).textContent = text;
    }
    $('JobDetailsTitle').textContent = texts.jobDetails.replace(/\.\.\.$/, '');
    for (const [id, text] of Object.entries({
      RecentJobsTitle: texts.recentJobs, NoRecentJobs: texts.noRecentJobs, ExportJobs: texts.exportJobs,
      ShareJobs: texts.shareJobs, ClearJobs: texts.clearJobs, ShareSummaryAction: texts.shareSummary,
    })) {
      $(id).textContent = text;
    }
    $('SketchImage').setAttribute('aria-label', texts.enlargeSketch);
    texts.identity.forEach((item) => {
      // No maxLength: it counts UTF-16 units and cuts a paste without a word; the core
      // counts characters and says what is too long.
      const input = identityInput(item.key);
      input.setAttribute('aria-label', item.caption);
      $(input.id + 'Caption').textContent = item.caption;
    });
    fill($('PIPE_MATERIALCombo'), texts.pipes);
    fill($('LINING_MATERIALCombo'), texts.linings);
    fill($('KIND_OF_FLUIDCombo'), texts.fluids);
    fill($('SENSOR_MOUNTCombo'), texts.mounts);
    fill($('SENSOR_TYPECombo'), texts.sensors);
    $('Language').value = String(lang);
    $('Units').value = String(units);
    updateRows();
  }

  // Open rows take typed values; locked ones are greyed, their mark off.
  function updateRows() {
    const open = core.ccall('qm_rows', 'string', ['number', 'number', 'number'],
      [index('PIPE_MATERIALCombo'), index('LINING_MATERIALCombo'), index('KIND_OF_FLUIDCombo')]);
    ROWS.forEach((row, i) => {
      field(i).readOnly = open[i] !== '1';
      $(row + 'Row').classList.toggle('locked', open[i] !== '1');
    });
  }

  // The job on screen, or none: what Copy and Print may record and the printer gets.
  // Without one the browser's own print shows the page.
  function showRecord(shown) {
    job = shown;
    $('CopySummaryAction').disabled = !shown;
    $('ShareSummaryAction').disabled = !shown;
    $('PrintAction').disabled = !shown;
    document.body.classList.toggle('has-record', Boolean(shown));
    $('Sketch').hidden = !shown;
  }

  function clearResults() {
    $('txtResult1Text').value = '';
    $('txtResult2Text').value = '';
    $('txtCircumferentialText').value = '';
    $('CircumferentialRow').hidden = true;
    $('txtFluidPathText').value = '';
    $('FluidPathRow').hidden = true;
    $('ResultWarning').hidden = true;
    $('BarResult').value = '';
    QuillmereHowSure.hide();
    QuillmereSite.hide();
    showRecord(null);
    pending = null;
  }

  // The window's message box; `then` runs once it is answered.
  function message(text, then) {
    $('MessageText').textContent = text;
    const box = $('MessageBox');
    box.addEventListener('close', () => then && then(), { once: true });
    box.showModal();
  }

  function refuse(input, text) {
    refusing = true;
    message(text, () => {
      refusing = false;
      input.focus();
      input.select();
    });
  }

  // The leave-field check; false when the text was refused.
  function leave(i) {
    if (refusing) {
      return false;
    }
    const text = call('qm_leave', { field: i, text: field(i).value, unit: units, lang });
    if (text) {
      refuse(field(i), text);
      return false;
    }
    return true;
  }

  // What is typed and chosen, kept on the phone at every change so that a reload or a
  // closed tab loses nothing; results are not kept: they appear at a press.
  function form() {
    return {
      units, texts: ROWS.map((_, i) => field(i).value),
      lists: Object.fromEntries(LISTS.map((id) => [id, index(id)])),
      identity: Object.fromEntries(texts.identity.map((item) => [item.key, identityInput(item.key).value])),
    };
  }
  function saveForm() {
    if (core && texts) {
      remember('quillmere.form', JSON.stringify(form()));
    }
  }
  // Puts a kept form back: in its own units, or converted to the page's.
  function restoreForm(kept) {
    if (!kept) {
      return;
    }
    LISTS.forEach((id) => {
      const at = kept.lists?.[id];
      if (Number.isInteger(at) && at >= 0 && at < $(id).length) {
        $(id).selectedIndex = at;
      }
    });
    updateRows();
    let typed = Array.isArray(kept.texts) ? kept.texts.map((t) => String(t ?? '')) : [];
    if (kept.units !== units && typed.length) {
      const converted = ask('qm_convert', { ...typed, to: units });
      typed = typed.map((_, i) => converted[i]);
    }
    typed.forEach((text, i) => { if (i < ROWS.length) field(i).value = text; });
    for (const item of texts.identity) {
      identityInput(item.key).value = String(kept.identity?.[item.key] ?? '');
    }
    if (texts.identity.some((item) => identityInput(item.key).value)) {
      $('JobDetails').open = true; // what heads the record is seen
    }
  }

  function keepJob(r) {
    keptJobs.keep({
      time: now(true), result1: r.result1, result2: r.result2, circumferential: r.circumferential,
      summary: r.summary, sheetLine: r.sheetLine, form: r.form,
    });
    showJobs();
  }
  function showJobs() {
    const jobs = keptJobs.all();
    $('RecentJobs').replaceChildren(...jobs.map((kept, i) => {
      const f = kept.form || {};
      const identity = f.identity || {};
      const unit = f.units === 1 ? 'inch' : 'mm';
      const button = Object.assign(document.createElement('button'), { type: 'button' });
      // Each part isolated: a direction override kept by an older page stays in its part,
      // never turning the figures after it around.
      const parts = [kept.time.slice(0, 16), identity.tag || identity.site,
        `${f.texts?.[0] ?? ''} x ${f.texts?.[2] ?? ''} ${unit}`, texts.sensors[f.lists?.SENSOR_TYPECombo] ?? '',
        `${kept.result1} ${unit}`].filter(Boolean);
      button.append(...parts.flatMap((part, at) => [...(at ? ['  '] : []), Object.assign(document.createElement('bdi'), { textContent: part })]));
      button.dataset.job = String(i);
      button.addEventListener('click', () => restoreJob(kept));
      const item = document.createElement('li');
      item.append(button);
      return item;
    }));
    $('NoRecentJobs').hidden = jobs.length > 0;
    $('ExportJobs').disabled = jobs.length === 0;
    $('ClearJobs').disabled = jobs.length === 0;
    $('ShareJobs').hidden = !keptJobs.sharesFiles();
  }
  // A kept job's inputs back in their own units, the results empty until EXECUTE.
  function restoreJob(kept) {
    const f = kept.form || {};
    if ((f.units === 1 ? 1 : 0) !== units) {
      units = f.units === 1 ? 1 : 0;
      remember('quillmere.units', String(units));
      applyTexts();
    }
    Object.assign(notes, { pipe: '', outer: '', wall: '', temperature: '', velocity: '', water: {}, liningNote: '', lining: '' });
    restoreForm(f);
    clearResults();
    saveForm();
    window.scrollTo({ top: 0 });
  }
  const sheetFile = () => keptJobs.sheetFile(texts.sheetHeader);
  function clearJobs() {
    const count = keptJobs.all().length;
    if (count > 0 && window.confirm(texts.clearConfirm.replace('%1', String(count)))) {
      keptJobs.clear();
      showJobs();
    }
  }

  // The whole sketch over the page at the screen's width, zoomable; a tap or the back
  // gesture closes it.
  // The job's whole and printed sketches, drawn by the core the first time they are needed.
  function drawSketches() {
    if (job && !job.sketch) {
      const all = ask('qm_record', { ...job.request, sketches: 'all' }, recordModule());
      Object.assign(job, { sketch: all.sketch, printSketch: all.printSketch });
      $('PrintSketch').replaceChildren(svgImage(all.printSketch));
    }
  }

  function openSketch() {
    if (!job) {
      return;
    }
    drawSketches();
    $('SketchViewerImage').replaceChildren(svgImage(job.sketch));
    $('SketchViewer').showModal();
    history.pushState({ sketch: true }, '');
  }
  function closeSketch() {
    if ($('SketchViewer').open) {
      $('SketchViewer').close();
    }
  }

  // `keep` false: the same job shown again (in another language), not a new one to keep.
  function execute(keep = true) {
    if (refusing || $('MessageBox').open) {
      return;
    }
    const request = {
      units, lang, sensor: index('SENSOR_TYPECombo'), pipe: index('PIPE_MATERIALCombo'),
      lining: index('LINING_MATERIALCombo'), fluid: index('KIND_OF_FLUIDCombo'),
      mount: index('SENSOR_MOUNTCombo'), mounts: $('SENSOR_MOUNTCombo').length,
      ...Object.fromEntries(ROWS.map((_, i) => [i, field(i).value])), when: now(),
      pipeNote: notes.pipe, pipeOuter: notes.outer, pipeWall: notes.wall,
      temperatureNote: notes.temperature, temperatureVelocity: notes.velocity,
      waterFluid: notes.water.fluid ?? '', waterTemperature: notes.water.temperature ?? '',
      waterPressure: notes.water.pressure ?? '', waterSalinity: notes.water.salinity ?? '',
      liningNote: notes.liningNote, liningThickness: notes.lining,
      ...Object.fromEntries(texts.identity.map((item) => [item.key, identityInput(item.key).value])),
      stamp: stamp(), time: now(true), ...QuillmereHowSure.request(), ...QuillmereSite.request(),
    };
    // The result first, from the form's module; the record (summary, sheet line, panels)
    // follows from the record's, and the whole and the printed sketch only when asked for:
    // the first result on a slow phone waits for none of them.
    const r = ask('qm_execute', request);
    r.request = request;
    if (!r.ok) {
      message(r.error, () => {
        if (r.identity) {
          $('JobDetails').open = true;
          identityInput(r.identity).focus();
        } else if (r.field >= 0) {
          field(r.field).focus();
          field(r.field).select();
        }
      });
      return;
    }
    $('txtResult1Text').value = r.result1;
    $('txtResult2Text').value = r.result2;
    // Z method: how far round the pipe the second sensor goes, shown only where it applies.
    $('txtCircumferentialText').value = r.circumferential;
    $('CircumferentialRow').hidden = !r.circumferential;
    // The sound's path and time in the fluid, to hold against the converter's diagnostics.
    $('txtFluidPathText').value = r.fluidPath;
    $('FluidPathRow').hidden = !r.fluidPath;
    $('ResultWarning').textContent = r.warning; // a spacing clamped to 0 is no place to mount
    $('ResultWarning').hidden = !r.warning;
    $('PrintSummary').textContent = '';
    $('PrintSketch').replaceChildren();
    $('BarResult').value = r.result2 ? `${r.result1} (${r.result2})` : `${r.result1} ${texts.spacingUnit.replace(/[[\]]/g, '')}`;
    // On a phone the result is below the fold: scrolled to once it is on the screen, since
    // the scroll lays the page out again; a field focused meanwhile keeps the screen.
    const focused = document.activeElement;
    requestAnimationFrame(() => setTimeout(() => {
      if (document.activeElement === focused) {
        $('fraResult').scrollIntoView({ block: 'nearest' });
      }
    }));
    pending = r;
    r.form = form(); // kept as pressed, whatever is typed before the record comes
    withRecord(() => {
      const kept = ask('qm_record', request, recordModule());
      Object.assign(r, { summary: kept.summary, sheetLine: kept.sheetLine });
      if (keep) {
        keepJob(r); // every press is kept, even one whose result was emptied meanwhile
      }
      if (pending !== r) {
        return; // emptied or computed again meanwhile: the screen shows other inputs
      }
      pending = null;
      // Under the result the pipe, the sensors and the dimension, legible; a tap shows the
      // whole drawing at the screen's width.
      $('SketchImage').replaceChildren(svgImage(kept.sketchCrop));
      // Printed, or saved as PDF from the phone's print dialog, the job is a record to keep.
      $('PrintSummary').textContent = r.summary;
      showRecord(r);
      QuillmereHowSure.show(helperPage, request, r, texts.howSure.replace(/\.\.\.$/, ''));
      QuillmereSite.show(helperPage, request, r, texts.measuringPoint.replace(/\.\.\.$/, ''));
    });
  }

  // Said on the button, where the finger is; without a clipboard the summary is shown to
  // be copied by hand rather than lost without a word.
  async function copySummary() {
    if (!job) {
      return;
    }
    let copied = true;
    try {
      await navigator.clipboard.writeText(job.summary);
    } catch {
      const area = Object.assign(document.createElement('textarea'), { value: job.summary });
      document.body.appendChild(area);
      area.select();
      copied = document.execCommand('copy');
      area.remove();
    }
    if (!copied) {
      message(`${texts.copyFailed}\n\n${job.summary}`);
      return;
    }
    const button = $('CopySummaryAction');
    button.textContent = texts.copied;
    setTimeout(() => { button.textContent = texts.copySummary; }, 1500);
  }

  // A helper's text in a field; a change empties the results as typing would.
  function setText(i, text) {
    if (field(i).value !== text) {
      field(i).value = text;
      clearResults();
      saveForm();
    }
  }

  // A helper's choice in a list; a change locks or opens rows and empties the results as
  // the user's own choice would.
  function select(id, entry) {
    if ($(id).selectedIndex !== entry) {
      $(id).selectedIndex = entry;
      updateRows();
      clearResults();
      saveForm();
    }
  }

  // What the helpers' dialogs take of the page: the run's settings as they are when asked.
  const helperPage = {
    json: (name, types, args) => json(name, types, args, recordModule()),
    ask: (name, given) => ask(name, given, recordModule()),
    index, select, setText, leave, message, asKeysPressed,
    get units() { return units; }, get lang() { return lang; }, get texts() { return texts; }, get notes() { return notes; },
  };

  // Each field refused or taken as it is left, EXECUTE on Enter; a list's change empties
  // the results and locks or opens the rows it decides.
  function connectFields() {
    ['Temperature', 'Pressure', 'Salinity'].forEach((id) => asKeysPressed($(id)));
    ROWS.forEach((_, i) => {
      asKeysPressed(field(i));
      field(i).addEventListener('input', clearResults);
      field(i).addEventListener('blur', () => leave(i));
      field(i).addEventListener('keydown', (event) => {
        if (event.key === 'Enter') {
          event.preventDefault();
          if (leave(i)) {
            execute();
          }
        }
      });
    });
    LISTS.forEach((id, i) => {
      $(id).addEventListener('change', () => {
        clearResults();
        if (i < 3) {
          updateRows();
        }
      });
    });
    $('ExecuteCalc').addEventListener('click', () => execute());
    // Every keystroke and choice is kept at once: a closed tab loses nothing.
    $('frmCalc').addEventListener('input', saveForm);
    $('frmCalc').addEventListener('change', saveForm);
    keepBarClear($('frmCalc'), $('ActionBar'));
  }

  // The job as a record: copied, shared, printed, its sketch opened; the kept jobs.
  function connectRecord() {
    $('ExportJobs').addEventListener('click', () => keptJobs.save(sheetFile()));
    $('ClearJobs').addEventListener('click', clearJobs);
    $('ShareJobs').addEventListener('click', () => navigator.share({ files: [sheetFile()] }).catch(() => {}));
    $('ShareSummaryAction').hidden = !navigator.share;
    $('ShareSummaryAction').addEventListener('click', () => job && navigator.share({ text: job.summary }).catch(() => {}));
    $('SketchImage').addEventListener('click', openSketch);
    $('SketchImage').addEventListener('keydown', (event) => {
      if (event.key === 'Enter' || event.key === ' ') {
        event.preventDefault();
        openSketch();
      }
    });
    $('SketchViewer').addEventListener('click', () => history.back());
    $('SketchViewer').addEventListener('cancel', (event) => { event.preventDefault(); history.back(); });
    window.addEventListener('popstate', closeSketch);
    $('CopySummaryAction').addEventListener('click', copySummary);
    // The title is the name a browser proposes for the PDF: the tag and the time.
    window.addEventListener('beforeprint', drawSketches); // the browser's own Print too
    $('PrintAction').addEventListener('click', () => {
      drawSketches();
      const title = document.title;
      document.title = job.fileName.replace(/\.pdf$/, '');
      window.print();
      document.title = title;
    });
  }

  // The helpers, the help, and the language and units of the run.
  function connectSettings() {
    $('StandardPipeAction').addEventListener('click', () => withRecord(() => QuillmereHelpers.standardPipe(helperPage)));
    $('FluidAtTemperatureAction').addEventListener('click', () => withRecord(() => QuillmereHelpers.fluidAtTemperature(helperPage)));
    $('HelpAction').addEventListener('click', () => {
      $('HelpText').innerHTML = texts.helpText; // the catalogue's own HTML, compiled in
      $('HelpDialog').showModal();
    });
    $('Language').addEventListener('change', () => {
      lang = Number($('Language').value);
      remember('quillmere.lang', String(lang));
      const shown = Boolean(job || pending); // a result whose record is still to come too
      clearResults(); // the summary is in the language it was computed in
      notes.temperature = ''; // it names the fluid in the other language
      applyTexts();
      showJobs();
      if (shown) {
        execute(false); // the same inputs: the result again, in the new language
      }
    });
    $('Units').addEventListener('change', () => {
      const to = Number($('Units').value);
      // The same pipe in the other units: 114.3 mm becomes 4.5 inch, never 114.3 inch.
      const converted = ask('qm_convert', { ...ROWS.map((_, i) => field(i).value), to });
      ROWS.forEach((_, i) => { field(i).value = converted[i]; });
      units = to;
      remember('quillmere.units', String(units));
      Object.assign(notes, { pipe: '', outer: '', wall: '', liningNote: '', lining: '' });
      QuillmereHowSure.forget();
      QuillmereSite.forgetLengths();
      clearResults();
      applyTexts();
      saveForm();
    });
  }

  async function start() {
    const query = new URLSearchParams(location.search);
    const preferred = (navigator.language || '').startsWith('ja') ? '0' : '1';
    // Only the four words count: ?lang=metric or ?units=toString changes nothing.
    const asked = (key, words) => {
      const at = words.indexOf(query.get(key));
      if (at >= 0) remember('quillmere.' + key, String(at));
    };
    asked('lang', ['ja', 'en']);
    asked('units', ['metric', 'imperial']);
    lang = Number(remembered('quillmere.lang', preferred)) === 0 ? 0 : 1;
    units = Number(remembered('quillmere.units', '0')) === 1 ? 1 : 0;
    performance.mark('core-start');
    // The core waits for its instance without end: a module that fails to start must end the
    // wait, so the page can say why.
    let failed;
    const failure = new Promise((_, reject) => { failed = reject; });
    core = await Promise.race([failure, QuillmereCore({
      // The module early.js began compiling. Without one (a browser that cannot stream it, a
      // server that does not call it application/wasm) the core's bytes are compiled whole.
      instantiateWasm(imports, receive) {
        const whole = () => fetch('quillmere_core.wasm', { credentials: 'same-origin' })
          .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject(new Error(response.statusText))))
          .then((bytes) => WebAssembly.instantiate(bytes, imports))
          .then((result) => result.instance);
        Promise.resolve(typeof QuillmereWasm === 'undefined' ? null : QuillmereWasm)
          .then((module) => (module ? WebAssembly.instantiate(module, imports) : whole()))
          .then((instance) => receive(instance), failed);
        return {};
      },
    })]);
    performance.mark('core-ready');
    const first = json('qm_page', ['number', 'number'], [lang, units]);
    ROWS = first.fields.map((f) => f.name);
    buildRows(ROWS);
    connectFields();
    connectRecord();
    connectSettings();
    applyTexts(first);
    try {
      restoreForm(JSON.parse(remembered('quillmere.form', 'null')));
    } catch {
      // a kept form this page cannot read: start empty
    }
    showJobs();
    document.body.dataset.ready = '1';
    // The locale's decimal point asks Intl, slow to start on a phone: it is settled just
    // after the first result, long before a finger reaches a field.
    setTimeout(chooseKeyboards);
    if ('serviceWorker' in navigator) {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    }
  }

  window.quillmere = {
    // The record's module, fetched now rather than at its first use.
    record: () => QuillmereRecordModule.load().then(() => true),
    ready: start().catch((error) => {
      document.getElementById('frmCalc').textContent =
        'Quillmere needs a browser that runs WebAssembly. / WebAssembly の動くブラウザで開いてください。';
      document.body.classList.add('failed'); // the page is drawn with the sentence alone
      throw error;
    }),
  };
})();
