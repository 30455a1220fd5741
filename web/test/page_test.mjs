// The browser edition in Debian's chromium, driven as a user would: every case of the
// shared agreement tables typed into the page must show exactly what the window showed
// (kept by agreement_tests), refusals included; the helpers, offline use, size and speed.
//   node page_test.mjs SITE WINDOW_TEXTS_DIR CASES_DIR [SCREENSHOT_DIR]
import puppeteer from 'puppeteer-core';
import { spawnSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gunzipSync, gzipSync } from 'node:zlib';
import { request as httpRequest } from 'node:http';
import { serve } from '../serve.mjs';

const [site, shownDir, casesDir, shotDir = shownDir] = process.argv.slice(2);
let failures = 0;
const check = (ok, what) => {
  if (!ok) {
    failures++;
    console.log(`FAIL: ${what}`);
  }
};
// The page's input fields by their job sheet columns: the element ids it keeps from the
// window's control names.
const FieldIds = {
  outer_diameter: 'OUTER_DIAMETERText', pipe_velocity: 'TRANS_FREQUENCYText', wall: 'WALL_THICKNESSText',
  lining_velocity: 'LINING_S_VText', lining_thickness: 'LINING_THICKNESSText', fluid_velocity: 'FLUID_S_VText',
};
const same = (actual, expected, what) =>
  check(JSON.stringify(actual) === JSON.stringify(expected), `${what}: ${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`);

// RFC 4180 records: quotes, doubled quotes, commas and line breaks inside quotes.
function parseCsv(text) {
  const rows = [];
  let row = [];
  let field = '';
  let quoted = false;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { field += '"'; i++; } else if (c === '"') { quoted = false; } else { field += c; }
    } else if (c === '"') { quoted = true; } else if (c === ',') { row.push(field); field = ''; } else if (c === '\n' || c === '\r') {
      if (c === '\r' && text[i + 1] === '\n') i++;
      row.push(field); rows.push(row); row = []; field = '';
    } else { field += c; }
  }
  if (field !== '' || row.length) { row.push(field); rows.push(row); }
  const [header, ...body] = rows.filter((r) => r.length > 1 || r[0] !== '');
  return body.map((r) => Object.fromEntries(header.map((h, i) => [h, r[i] ?? ''])));
}

const server = await serve(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--lang=en-US'],
});

// A fresh page at the given language and units, as a fresh window: what an earlier page
// kept on the "phone" (its inputs, its jobs) is gone before it loads, though a reload of
// this one keeps what it typed; `prepare` runs before loading (a mobile viewport reloads, a
// changed navigator must be there from the start).
async function open(lang, units, context = browser, prepare = async () => {}) {
  const page = await context.newPage();
  await page.evaluateOnNewDocument(() => {
    if (!sessionStorage.getItem('quillmere.test')) {
      localStorage.removeItem('quillmere.form');
      localStorage.removeItem('quillmere.jobs');
      sessionStorage.setItem('quillmere.test', '1');
    }
  });
  await prepare(page);
  page.on('pageerror', (e) => check(false, `page error: ${e.message}`));
  await page.goto(`${origin}/?lang=${lang}&units=${units}`);
  await page.waitForSelector('body[data-ready="1"]');
  // The record's module is fetched after the first result; here at once, so that a record
  // asked for right after a press is there (record_section.mjs takes the page as it comes).
  await page.evaluate(() => window.quillmere.record());
  return page;
}
// VT-C1 on a 114.3 x 6.0 mm carbon steel pipe of water, V method, pressed by `press`
// ('click', or 'tap' on a phone); the result shown.
async function usualCase(page, press = 'click') {
  await page.$$eval('.row input', (inputs) => inputs.forEach((i) => { i.value = ''; })); // kept from before
  await page.select('#SENSOR_TYPECombo', '4');
  await page.type('#OUTER_DIAMETERText', '114.3');
  await page.type('#WALL_THICKNESSText', '6.0');
  await page[press]('#ExecuteCalc');
  return page.$eval('#txtResult1Text', (o) => o.value);
}
const messageOpen = (page) => page.$eval('#MessageBox', (d) => d.open);
async function takeMessage(page) {
  const text = await page.$eval('#MessageText', (p) => p.textContent);
  await page.click('#MessageOk');
  return text;
}

// What the page shows for one case, as the window's test reads the window.
async function pageShows(page, row) {
  const choose = async (id, name, typed) => {
    const index = await page.$eval(`#${id}`, (list, name, typed) => {
      const texts = [...list.options].map((o) => o.text);
      return name ? texts.indexOf(name) : typed ? texts.length - 1 : 0;
    }, name, typed);
    if (index < 0) return false;
    await page.select(`#${id}`, String(index));
    return true;
  };
  const named = (await choose('SENSOR_TYPECombo', row.sensor, '')) &&
    (await choose('PIPE_MATERIALCombo', row.pipe, row.pipe_velocity)) &&
    (await choose('LINING_MATERIALCombo', row.lining, row.lining_velocity)) &&
    (await choose('KIND_OF_FLUIDCombo', row.fluid, row.fluid_velocity));
  if (!named) return ["a name the window's lists lack"];
  await page.select('#SENSOR_MOUNTCombo', row.mount === 'Z' ? '1' : '0');
  for (const [column, id] of Object.entries(FieldIds)) {
    if (!row[column]) continue;
    await page.click(`#${id}`);
    await page.keyboard.type(row[column]);
    await page.keyboard.press('Tab');
    if (await messageOpen(page)) return ['', '', await takeMessage(page)];
  }
  await page.click('#ExecuteCalc');
  if (await messageOpen(page)) return ['', '', await takeMessage(page)];
  return [await page.$eval('#txtResult1Text', (o) => o.value), await page.$eval('#txtResult2Text', (o) => o.value), ''];
}

// 1. The shared tables give the window's texts to the last digit.
for (const table of ['agreement', 'refusals']) {
  const rows = parseCsv(readFileSync(join(casesDir, `${table === 'agreement' ? 'agreement' : 'refusal'}_cases.csv`), 'utf8'));
  const window = JSON.parse(readFileSync(join(shownDir, `window-shows-${table}.json`), 'utf8'));
  same(rows.length, window.length, `${table}: cases`);
  for (let i = 0; i < rows.length; i++) {
    const page = await open(rows[i].lang === 'en' ? 'en' : 'ja', rows[i].units === 'imperial' ? 'imperial' : 'metric');
    same(await pageShows(page, rows[i]), window[i], `${table} case ${i + 2}`);
    await page.close();
  }
}

// 2. Leave-field refusal: the message, then back to the field with its text selected;
// locks follow the lists; a change of input empties the results.
{
  const page = await open('en', 'metric');
  await page.click('#OUTER_DIAMETERText');
  await page.keyboard.type('12a');
  await page.keyboard.press('Tab');
  same(await takeMessage(page), 'Any data other than a number is not allowed', 'leave-field refusal');
  await page.waitForFunction(() => document.activeElement.id === 'OUTER_DIAMETERText')
    .catch(() => check(false, 'focus back on the refused field'));
  same(await page.evaluate(() => [document.activeElement.selectionStart, document.activeElement.selectionEnd]), [0, 3],
    'its text selected');
  same(await page.$eval(`#${FieldIds.pipe_velocity}`, (e) => e.readOnly), true, 'pipe velocity locked for a named material');
  await page.select('#PIPE_MATERIALCombo', String(await page.$eval('#PIPE_MATERIALCombo', (l) => l.length - 1)));
  same(await page.$eval(`#${FieldIds.pipe_velocity}`, (e) => e.readOnly), false, 'PIPE S.V. opens its field');
  same(await page.$eval('#OUTER_DIAMETERText', (e) => e.getAttribute('inputmode')), 'decimal', 'numeric keyboard');
  const announced = await page.accessibility.snapshot({ root: await page.$('#OUTER_DIAMETERText') });
  same([announced.name, announced.description], ['OUTER DIAMETER', '6.00-6200.00mm'],
    'a screen reader announces the caption and the range');
  await page.close();
  // Digits a Japanese input method made full-width are the digit keys, as in the window.
  const ime = await open('ja', 'metric');
  await ime.type('#WALL_THICKNESSText', '６．０');
  same(await ime.$eval('#WALL_THICKNESSText', (e) => e.value), '6.0', 'full-width digits typed as the keys');
  await ime.$eval('#OUTER_DIAMETERText', (e) => {
    e.value = '１１４';
    e.dispatchEvent(new InputEvent('input', { inputType: 'insertFromPaste' }));
  });
  same(await ime.$eval('#OUTER_DIAMETERText', (e) => e.value), '１１４', 'pasted text as it is');
  await ime.close();
  // A NUL pasted into a number is refused as the window refuses it, not read up to the NUL.
  const nul = await open('en', 'metric');
  await nul.select('#SENSOR_TYPECombo', '4');
  await nul.type('#WALL_THICKNESSText', '6.0');
  await nul.$eval('#OUTER_DIAMETERText', (e) => { e.value = '114.3\u00009'; e.focus(); });
  await nul.click('#ExecuteCalc');
  same([await takeMessage(nul), await nul.$eval('#txtResult1Text', (o) => o.value)],
    ['Any data other than a number is not allowed', ''], 'a NUL in a field');
  await nul.$eval('#OUTER_DIAMETERText', (e) => { e.value = '114.3'; });
  await nul.click('#FluidAtTemperatureAction');
  await nul.$eval('#Temperature', (e) => { e.value = '6\u00000'; });
  await nul.click('#FluidAtTemperatureOk');
  same(await takeMessage(nul), 'Any data other than a number is not allowed', 'a NUL in a temperature');
  await nul.close();
  // A German phone's decimal keypad has ',' only: the full keyboard, where '.' is.
  const german = await open('en', 'metric', browser,
    (p) => p.evaluateOnNewDocument(() => Object.defineProperty(navigator, 'language', { get: () => 'de-DE' })));
  same(await german.$$eval('input[inputmode]', (all) => [...new Set(all.map((e) => e.inputMode))]), ['text'],
    'full keyboard where the keypad has no decimal point');
  await german.close();
}

// The record tells how the sensors are mounted: the Z method's way round the pipe on
// screen, in the summary and the sketch; a stepped spacing beside the one computed.
{
  const page = await open('en', 'metric');
  await page.select('#SENSOR_MOUNTCombo', '1');
  same(await usualCase(page), '22.84', 'Z method');
  same([await page.$eval('#txtCircumferentialText', (o) => o.value), await page.$eval('#CircumferentialRow', (r) => r.hidden)],
    ['179.54', false], 'the circumferential distance shown');
  const labelled = await page.accessibility.snapshot({ root: await page.$('#txtCircumferentialText') });
  same(labelled?.name, 'Circumferential distance', 'its accessible name');
  await page.evaluate(() => { navigator.clipboard.writeText = async (text) => { window.copied = text; }; });
  await page.click('#CopySummaryAction');
  check((await page.evaluate(() => window.copied)).includes('\nCircumferential distance: 179.54 mm\n'), 'in the summary');
  check(decodeURIComponent(await page.$eval('#SketchImage img', (i) => i.src)).includes('Circumferential distance: 179.54 mm'),
    'in the sketch');
  await page.select('#SENSOR_MOUNTCombo', '0');
  same([await page.$eval('#txtCircumferentialText', (o) => o.value), await page.$eval('#CircumferentialRow', (r) => r.hidden)],
    ['', true], 'emptied and hidden by a change');
  await page.select('#SENSOR_TYPECombo', '2');
  await page.$eval('#OUTER_DIAMETERText', (e) => { e.value = '60.5'; });
  await page.$eval('#WALL_THICKNESSText', (e) => { e.value = '3.9'; });
  await page.click('#ExecuteCalc');
  await page.click('#CopySummaryAction');
  check((await page.evaluate(() => window.copied)).includes('\n53.45 mm computed, mounted at 17 steps = 51 mm\n'),
    'a stepped spacing beside the one computed');
  await page.close();
}

// 3. The helpers: standard pipe, fluid at temperature, N method, summary and sketch.
{
  const page = await open('en', 'metric');
  await page.select('#SENSOR_TYPECombo', '4');
  await page.click('#StandardPipeAction');
  await page.select('#Standard', '1'); // STPG
  await page.$eval('#Size', (s) => { s.selectedIndex = [...s.options].findIndex((o) => o.text === '100A (4B)'); s.dispatchEvent(new Event('change')); });
  same(await page.$eval('#Schedule', (s) => s.options[s.selectedIndex].text), 'Sch40', 'schedule preselected');
  await page.click('#StandardPipeOk');
  same([await page.$eval('#OUTER_DIAMETERText', (e) => e.value), await page.$eval('#WALL_THICKNESSText', (e) => e.value)],
    ['114.3', '6'], 'STPG 100A Sch40');
  await page.click('#ExecuteCalc');
  same(await page.$eval('#txtResult1Text', (o) => o.value), '65.47', 'standard pipe result (quillmere-calc --pipe-size gives 65.47)');
  await page.click('#FluidAtTemperatureAction');
  await page.type('#Temperature', '96');
  await page.click('#FluidAtTemperatureOk');
  same(await takeMessage(page), "The Marczak 1997 equation holds for 0 - 95 °C only. With the line's pressure, " +
    "the IAPWS-IF97 equation gives water's velocity up to 350 °C.", 'temperature out of range');
  same(await page.$eval('#Salinity', (e) => e.disabled), true, 'no salinity for water');
  same(await page.$eval('#FluidAtTemperatureDialog', (d) => d.open), true, 'the dialog stays');
  await page.$eval('#Temperature', (e) => { e.value = '60'; });
  await page.click('#FluidAtTemperatureOk');
  same(await page.$eval('#FLUID_S_VText', (e) => e.value), '1551', 'water at 60 degC');
  same(await page.$eval('#txtResult1Text', (o) => o.value), '', 'a changed fluid empties the result');
  await page.click('#ExecuteCalc');
  same(await page.$eval('#txtResult1Text', (o) => o.value), '73.35', 'same as quillmere-calc --fluid-temperature 60');
  await page.evaluate(() => { navigator.clipboard.writeText = async (text) => { window.copied = text; }; });
  await page.click('#CopySummaryAction');
  const copied = await page.evaluate(() => window.copied);
  for (const line of ['\nStandard pipe: STPG 100A Sch40, JIS G 3454:2017\n', '\nFLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)\n']) {
    check(copied.includes(line), `the summary names what the helpers typed: ${line.trim()} in ${copied}`);
  }
  same(await page.$eval('#CopySummaryAction', (b) => b.textContent), 'Copied', 'the copy is confirmed');
  // No clipboard at all: the summary is shown, to be copied by hand.
  await page.evaluate(() => {
    navigator.clipboard.writeText = async () => { throw new Error('denied'); };
    document.execCommand = () => false;
  });
  await page.click('#CopySummaryAction');
  const shownSummary = await takeMessage(page);
  check(shownSummary.startsWith('The clipboard could not be reached') && shownSummary.endsWith(copied),
    `summary shown when it cannot be copied: ${shownSummary}`);
  // Print...: the printer gets the job's summary and sketch, and only while a result is shown.
  await page.evaluate(() => { window.printed = 0; window.print = () => { window.printed++; }; });
  await page.click('#PrintAction');
  same(await page.evaluate(() => window.printed), 1, 'Print... opens the print dialog');
  await page.emulateMediaType('print');
  const printedPage = () => page.evaluate(() => ['frmCalc', 'PrintRecord'].map((id) => getComputedStyle(document.getElementById(id)).display));
  same(await printedPage(), ['none', 'block'], 'the record is printed, not the form');
  same(await page.$eval('#PrintSummary', (p) => p.textContent), copied, 'the printed summary is the copied one');
  // At its own size (180 mm wide, 96 CSS px to 25.4 mm), or the scale it names would not hold on paper.
  const printedSketch = await page.$eval('#PrintSketch img', (i) => [i.src.includes('width%3D%22180.00mm%22'), i.getBoundingClientRect().width]);
  check(printedSketch[0] && Math.abs(printedSketch[1] - 180 * 96 / 25.4) < 0.5, `the sketch printed at its size: ${printedSketch}`);
  same(await page.$eval('#Sketch', (f) => f.hidden), false, 'the sketch is shown');
  await page.select('#SENSOR_MOUNTCombo', '2');
  same([await printedPage(), await page.$eval('#PrintAction', (b) => b.disabled)], [['grid', 'none'], true],
    'a change leaves no record to print');
  await page.emulateMediaType(null);
  await page.click('#ExecuteCalc');
  check((await page.$eval('#txtResult1Text', (o) => o.value)) !== '', 'N method computes');
  same(await page.$eval('#CopySummaryAction', (b) => b.disabled), false, 'summary offered with a result');
  await page.click('#HelpAction');
  check(await page.$eval('#HelpText', (d) => d.textContent.includes('home screen')), "the page's own help");
  await page.keyboard.press('Escape');
  // A PVC size is a PVC pipe: the dialog names the material OK chooses; a typed PIPE S.V. stays.
  await page.select('#SENSOR_MOUNTCombo', '0');
  await page.select('#KIND_OF_FLUIDCombo', '0');
  await page.click('#StandardPipeAction');
  await page.select('#Standard', '5'); // VP
  await page.$eval('#Size', (s) => { s.selectedIndex = [...s.options].findIndex((o) => o.text === '100'); s.dispatchEvent(new Event('change')); });
  same(await page.$eval('#Material', (o) => o.value), 'PVC', 'the dialog names the material');
  await page.click('#StandardPipeOk');
  same(await page.$eval('#PIPE_MATERIALCombo', (l) => l.options[l.selectedIndex].text), 'PVC', 'VP 100 is PVC');
  await page.click('#ExecuteCalc');
  same(await page.$eval('#txtResult1Text', (o) => o.value), '58.47', 'quillmere-calc --pipe-size "VP 100" gives 58.47');
  await page.select('#PIPE_MATERIALCombo', String(await page.$eval('#PIPE_MATERIALCombo', (l) => l.length - 1)));
  await page.click('#StandardPipeAction');
  same(await page.$eval('#Material', (o) => o.value), 'PIPE S.V.', 'a typed velocity stays');
  await page.click('#StandardPipeOk');
  same(await page.$eval('#PIPE_MATERIALCombo', (l) => l.selectedIndex), 12, 'PIPE S.V. kept');
  // A water main: ISO ductile iron with its mortar lining fills every pipe input, as
  // quillmere-calc --pipe-size "DN 100 K9 mortar" does; steel has no lining to offer.
  await page.select('#PIPE_MATERIALCombo', '0');
  await page.click('#StandardPipeAction');
  await page.select('#Standard', '5'); // VP
  same(await page.$eval('#Mortar', (c) => c.disabled), true, 'no lining offered for PVC');
  await page.select('#Standard', '8'); // DN, ISO 2531
  same(await page.$eval('#Mortar', (c) => c.disabled), false, 'the ISO lining offered');
  await page.$eval('#Size', (s) => { s.selectedIndex = [...s.options].findIndex((o) => o.text === '100'); s.dispatchEvent(new Event('change')); });
  // Water-works ductile pipe is supplied cement-lined: the lining is offered ticked.
  same(await page.$eval('#Mortar', (c) => c.checked), true, 'the lining ticked at first');
  await page.click('#StandardPipeOk');
  same([await page.$eval('#PIPE_MATERIALCombo', (l) => l.options[l.selectedIndex].text),
    await page.$eval('#LINING_MATERIALCombo', (l) => l.options[l.selectedIndex].text),
    await page.$eval('#LINING_THICKNESSText', (e) => e.value)], ['DUCTILE IRON', 'MORTAR', '3'], 'DN 100 K9 mortar');
  await page.click('#ExecuteCalc');
  same(await page.$eval('#txtResult1Text', (o) => o.value), '71.59', 'quillmere-calc --pipe-size "DN 100 K9 mortar" gives 71.59');
  same(await page.$eval('#txtFluidPathText', (o) => o.value), '216.67 mm (2 crossings), transit time 150.47 µs',
    'the fluid path and transit time under the result, as --summary gives them');
  await page.evaluate(() => { navigator.clipboard.writeText = async (text) => { window.copied = text; }; });
  await page.click('#CopySummaryAction');
  check((await page.evaluate(() => window.copied)).includes('\nLINING THICKNESS: 3 mm (ISO 4179:2005)\n'),
    'the summary says whence the lining');
  // The job's identity heads the summary as typed, and the tag and the time name the PDF a
  // browser saves from Print.
  await page.click('#JobDetailsTitle');
  await page.type('#JobSite', '北浄水場');
  await page.type('#JobTag', 'FT-101 / A');
  await page.click('#ExecuteCalc');
  await page.click('#CopySummaryAction');
  const headed = await page.evaluate(() => window.copied);
  check(headed.startsWith('Sensor spacing record\nSITE: 北浄水場\nTAG: FT-101 / A\nDate and time: '),
    `the job's identity heads the summary: ${headed}`);
  await page.evaluate(() => { window.print = () => { window.printedAs = document.title; }; });
  await page.click('#PrintAction');
  check(/^quillmere-FT-101-A-\d{8}-\d{6}$/.test(await page.evaluate(() => window.printedAs)),
    `the PDF is proposed by tag and time: ${await page.evaluate(() => window.printedAs)}`);
  same(await page.evaluate(() => document.title), 'Ultrasonic Flowmeter - Sensor Spacing Calculation Tool', 'the title restored');
  // A tab pasted into the note is refused and the note given the focus.
  await page.$eval('#JobNote', (e) => { e.value = 'a\tb'; });
  await page.click('#ExecuteCalc');
  same(await takeMessage(page), 'NOTE cannot hold control characters (line breaks, tabs and the like)',
    'a control character refused');
  await page.waitForFunction(() => document.activeElement.id === 'JobNote')
    .catch(() => check(false, 'the note given the focus'));
  await page.close();
}

// 4. Size, speed, and no request beyond the page's own origin.
const transfer = readdirSync(site).reduce((sum, f) => sum + gzipSync(readFileSync(join(site, f)), { level: 9 }).length, 0);
console.log(`transfer size (all files, gzip -9): ${(transfer / 1024).toFixed(1)} KiB`);
check(transfer < 300 * 1024, 'transfer size under 300 KB');
// The local server refuses what is not a page file and keeps serving.
for (const [request, status] of [['/%E0%A4%A', 400], ['/..%2f..%2fetc%2fpasswd', 404], ['/x%00.js', 404], ['/', 200]]) {
  same((await fetch(origin + request)).status, status, `server answers ${request}`);
}
// It only reads: other methods are told which it takes. A browser that refuses gzip
// (q=0) gets the plain file, and every answer says it varies by encoding.
const raw = (method, headers = {}) => new Promise((done, fail) => {
  const request = httpRequest(`${origin}/index.html`, { method, headers }, (response) => {
    const parts = [];
    response.on('data', (part) => parts.push(part));
    response.on('end', () => done({ status: response.statusCode, headers: response.headers, body: Buffer.concat(parts) }));
  });
  request.on('error', fail);
  request.end();
});
const plainPage = readFileSync(join(site, 'index.html'));
for (const method of ['POST', 'PUT', 'DELETE', 'OPTIONS']) {
  const answer = await raw(method);
  same([answer.status, answer.headers.allow], [405, 'GET, HEAD'], `server answers ${method}`);
}
const head = await raw('HEAD');
same([head.status, head.body.length], [200, 0], 'server answers HEAD without a body');
for (const [accepted, encoding] of [['gzip;q=0', undefined], ['gzip; q=0.000, deflate', undefined], ['gzip', 'gzip'],
  ['deflate, gzip;q=0.5', 'gzip'], ['*', 'gzip'], ['*;q=0', undefined], ['identity', undefined]]) {
  const answer = await raw('GET', { 'Accept-Encoding': accepted });
  same([answer.headers['content-encoding'], answer.headers.vary], [encoding, 'Accept-Encoding'], `Accept-Encoding: ${accepted}`);
  check((encoding ? gunzipSync(answer.body) : answer.body).equals(plainPage), `the page's bytes, Accept-Encoding: ${accepted}`);
}
// Started by hand (./run web PORT), it says in one line why it cannot serve.
const serveScript = join(dirname(fileURLToPath(import.meta.url)), '..', 'serve.mjs');
for (const [args, says] of [[[site, String(server.address().port)], 'is in use'], [[site, '80a'], 'is not a port'],
  [[casesDir, '0'], 'no index.html']]) {
  const run = spawnSync(process.execPath, [serveScript, ...args], { encoding: 'utf8', timeout: 10000 });
  check(run.status === 1 && run.stderr.includes(says) && run.stderr.trim().split('\n').length === 1,
    `serve.mjs ${args[1]}: ${run.status} ${run.stderr}`);
}
// The first result right after a load that fetches every file anew (its time is the
// benchmark's: bench/web_first_result.mjs).
{
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setCacheEnabled(false);
  await page.setBypassServiceWorker(true);
  await page.goto(`${origin}/?lang=en&units=metric`);
  await page.waitForSelector('body[data-ready="1"]');
  same(await usualCase(page), '65.47', 'first result of a fresh load');
  await context.close();
}
{
  const context = await browser.createBrowserContext(); // no cache, no service worker yet
  const page = await context.newPage();
  const foreign = [];
  page.on('request', (r) => { if (!r.url().startsWith(origin) && !r.url().startsWith('data:')) foreign.push(r.url()); });
  await page.goto(`${origin}/?lang=en&units=metric`);
  await page.waitForSelector('body[data-ready="1"]');
  await usualCase(page);
  same(foreign, [], 'requests outside the page');

  // 5. Offline: once opened, the page reloads and computes with the network off.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await page.waitForSelector('body[data-ready="1"]');
  same(await page.evaluate(() => !!navigator.serviceWorker.controller), true, 'service worker controls the page');
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForSelector('body[data-ready="1"]');
  same(await usualCase(page), '65.47', 'computed offline');
  await context.close();
}

// The choice of language and units is remembered; only the four words in the address count.
{
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const shown = async (address) => {
    await page.goto(origin + address);
    await page.waitForSelector('body[data-ready="1"]');
    return page.evaluate(() => [document.documentElement.lang, document.getElementById('Units').value]);
  };
  same(await shown('/?lang=ja&units=imperial'), ['ja', '1'], 'asked in the address');
  same(await shown('/'), ['ja', '1'], 'remembered');
  same(await shown('/?lang=metric&units=toString'), ['ja', '1'], 'other words change nothing');
  await page.select('#Language', '1');
  same(await shown('/'), ['en', '1'], 'chosen on the page and remembered');
  await context.close();
}

// A spacing clamped to 0 is shown as the window shows it, with the core's warning beside it.
{
  const page = await open('en', 'metric');
  const warning = () => page.$eval('#ResultWarning', (p) => (p.hidden ? '' : p.textContent));
  await page.select('#SENSOR_TYPECombo', '4');
  await page.select('#SENSOR_MOUNTCombo', '1');
  await page.type('#OUTER_DIAMETERText', '20');
  await page.type('#WALL_THICKNESSText', '1');
  await page.click('#ExecuteCalc');
  same(await page.$eval('#txtResult1Text', (o) => o.value), '0.00', 'clamped spacing shown as 0.00');
  check((await warning()).startsWith('Note: the computed spacing is -25.67 mm, below 0'), `warning: ${await warning()}`);
  await page.type('#WALL_THICKNESSText', '0');
  same(await warning(), '', 'a change removes the warning with the result');
  await page.$eval('#OUTER_DIAMETERText', (e) => { e.value = ''; });
  await page.type('#OUTER_DIAMETERText', '114.3');
  await page.click('#ExecuteCalc');
  same([await page.$eval('#txtResult1Text', (o) => o.value), await warning()], ['30.22', ''], 'no warning above 0');
  await page.close();
}

// A rebuilt site replaces the cached one as a whole: a changed file is not served beside the
// cached others (the core's script must match its WebAssembly) until the new build's worker
// has cached the whole site; then the page takes it on the next visit.
{
  const copy = mkdtempSync(join(tmpdir(), 'quillmere-site-'));
  cpSync(site, copy, { recursive: true });
  const copyServer = await serve(copy);
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const visit = async () => {
    await page.goto(`http://127.0.0.1:${copyServer.address().port}/?lang=en&units=metric`);
    await page.waitForSelector('body[data-ready="1"]');
  };
  const served = () => page.evaluate(() => fetch('quillmere_core.js').then((r) => r.text()));
  await visit();
  await page.evaluate(() => navigator.serviceWorker.ready);
  await visit();
  const built = await served();
  appendFileSync(join(copy, 'quillmere_core.js'), '\n// rebuilt\n');
  await visit();
  await visit();
  same((await served()) === built, true, 'a changed file alone stays out of the cached site');

  const web = join(dirname(fileURLToPath(import.meta.url)), '..');
  const stamp = spawnSync(process.env.QUILLMERE_CMAKE || 'cmake',
    [`-DSITE=${copy}`, `-DTEMPLATE=${join(web, 'page', 'sw.js')}`, '-P', join(web, 'SiteStamp.cmake')], { encoding: 'utf8' });
  same([stamp.status, stamp.stderr], [0, ''], 'the new build writes its worker');
  await visit();
  // The new worker takes the page over once it has cached the whole site: its claim is
  // the event waited for (unless it came already, with the browser's own look on the visit).
  await page.evaluate(() => new Promise((taken) => {
    navigator.serviceWorker.addEventListener('controllerchange', taken, { once: true });
    fetch('quillmere_core.js').then((r) => r.text()).then((t) => { if (t.endsWith('// rebuilt\n')) taken(); });
    navigator.serviceWorker.getRegistration().then((r) => r.update()).catch(() => {});
  }));
  same((await served()).endsWith('// rebuilt\n'), true, 'the new build taken in');
  await visit();
  same(await usualCase(page), '65.47', 'the new build computes');
  await context.close();
  copyServer.close();
  rmSync(copy, { recursive: true, force: true });
}

// 6. The phone-sized page, in Japanese, for a person to look at.
{
  const page = await open('ja', 'metric', browser,
    (p) => p.setViewport({ width: 360, height: 780, deviceScaleFactor: 2, isMobile: true, hasTouch: true }));
  same(await usualCase(page, 'tap'), '65.47', 'computed on a phone');
  same(await page.evaluate(() => document.documentElement.scrollWidth <= 360), true, 'one column fits 360 px');
  // Each list is chosen before the velocity field it unlocks comes up, as in the window.
  const tops = (shown = page) => shown.evaluate((ids) => Object.fromEntries(
    ids.map((id) => [id, document.getElementById(id).getBoundingClientRect().toJSON()])),
  ['PIPE_MATERIALCombo', FieldIds.pipe_velocity, 'LINING_MATERIALCombo', 'LINING_S_VText', 'KIND_OF_FLUIDCombo',
    'FLUID_S_VText', 'OUTER_DIAMETERText']);
  const below = (b, a, id) => b[id].top > b[a].top;
  let boxes = await tops();
  same([below(boxes, 'PIPE_MATERIALCombo', FieldIds.pipe_velocity), below(boxes, 'LINING_MATERIALCombo', 'LINING_S_VText'),
    below(boxes, 'KIND_OF_FLUIDCombo', 'FLUID_S_VText'), below(boxes, FieldIds.pipe_velocity, 'LINING_MATERIALCombo')],
  [true, true, true, true], 'one column: each list above the velocity it unlocks');
  await page.screenshot({ path: join(shotDir, 'web-360.png'), fullPage: true });
  await page.close();
  const wide = await open('ja', 'metric', browser, (p) => p.setViewport({ width: 1024, height: 780 }));
  boxes = await tops(wide);
  same([Math.abs(boxes.OUTER_DIAMETERText.top - boxes.LINING_MATERIALCombo.top) < 20,
    boxes.LINING_MATERIALCombo.left > boxes.OUTER_DIAMETERText.right],
  [true, true], 'two columns side by side at desktop widths, as the window has them');
  await wide.close();
}

// 7. At the pipe with one hand: EXECUTE and the result in reach, nothing typed lost, a
// legible sketch, the jobs of the day kept and sent to the office as a job sheet.
{
  const phone = (p) => p.setViewport({ width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  const page = await open('en', 'metric', browser, phone);
  const onScreen = (selector) => page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return r.width > 0 && r.top >= 0 && r.bottom <= window.innerHeight;
  });
  // While the fields are typed, top to bottom, EXECUTE stays on screen.
  for (const id of ['#OUTER_DIAMETERText', '#FLUID_S_VText', '#JobNote']) {
    await page.$eval(id, (e) => { e.closest('details')?.setAttribute('open', ''); e.scrollIntoView(); e.focus(); });
    same(await onScreen('#ExecuteCalc'), true, `EXECUTE on screen while ${id} is typed`);
  }
  same(await usualCase(page, 'tap'), '65.47', 'computed from the bar');
  same([await onScreen('#BarResult'), await page.$eval('#BarResult', (o) => o.value)], [true, '65.47 mm'],
    'the result beside EXECUTE, on screen');

  // A reload keeps what was typed and chosen, not the result.
  await page.reload();
  await page.waitForSelector('body[data-ready="1"]');
  same([await page.$eval('#OUTER_DIAMETERText', (e) => e.value), await page.$eval('#WALL_THICKNESSText', (e) => e.value),
    await page.$eval('#SENSOR_TYPECombo', (l) => l.selectedIndex), await page.$eval('#txtResult1Text', (o) => o.value)],
  ['114.3', '6.0', 4, ''], 'inputs kept over a reload, the result not');
  await page.tap('#ExecuteCalc');
  // Another language: the inputs stay and the result comes back in it.
  await page.select('#Language', '0');
  same([await page.$eval('#OUTER_DIAMETERText', (e) => e.value), await page.$eval('#txtResult1Text', (o) => o.value)],
    ['114.3', '65.47'], 'a language switch keeps the inputs and shows the result again');
  check((await page.$eval('#PrintSummary', (p) => p.textContent)).startsWith('センサ取付け寸法の記録'),
    'the record in the new language');
  await page.select('#Language', '1');
  // Other units: the same pipe converted at the fields' precision, the result emptied.
  await page.select('#Units', '1');
  same([await page.$eval('#OUTER_DIAMETERText', (e) => e.value), await page.$eval('#WALL_THICKNESSText', (e) => e.value),
    await page.$eval('#txtResult1Text', (o) => o.value)], ['4.5', '0.2362', ''], '114.3 x 6.0 mm is 4.5 x 0.2362 inch');
  await page.select('#Units', '0');
  same([await page.$eval('#OUTER_DIAMETERText', (e) => e.value), await page.$eval('#WALL_THICKNESSText', (e) => e.value)],
    ['114.3', '6'], 'and back');

  // The sketch under the result is the crop, legible; a tap shows all of it, the back
  // gesture or a tap closes it.
  await page.tap('#ExecuteCalc');
  const crop = await page.$eval('#SketchImage img', (i) => decodeURIComponent(i.src.split(',')[1]));
  check(/<svg[^>]* width="100(\.0+)?mm"/.test(crop) && crop.includes('65.47'), `the inline sketch is the crop with its dimension: ${crop.slice(0, 300)}`);
  const shownWidth = await page.$eval('#SketchImage img', (i) => i.getBoundingClientRect().width);
  check(shownWidth / 100 * 5 * 0.75 >= 9, `the dimension's words at least 9 px high (${(shownWidth / 100 * 5 * 0.75).toFixed(1)} px)`);
  await page.tap('#SketchImage');
  same(await page.$eval('#SketchViewer', (d) => d.open), true, 'a tap opens the whole sketch');
  check(await page.$eval('#SketchViewer img', (i) => Math.abs(i.getBoundingClientRect().width - 360) < 2), 'at the screen\'s width');
  await page.goBack();
  await page.waitForFunction(() => !document.getElementById('SketchViewer').open).catch(() => check(false, 'back closes the sketch'));
  await page.tap('#SketchImage');
  await page.tap('#SketchViewer');
  await page.waitForFunction(() => !document.getElementById('SketchViewer').open).catch(() => check(false, 'a tap closes the sketch'));

  // Recent jobs: each computed job kept, newest first; a tap restores its inputs.
  await page.$eval('#WALL_THICKNESSText', (e) => { e.value = ''; });
  await page.type('#WALL_THICKNESSText', '8.6');
  await page.$eval('#JobDetails', (d) => { d.open = true; });
  await page.type('#JobTag', 'FT-9');
  await page.tap('#ExecuteCalc');
  const jobs = await page.$$eval('#RecentJobs button', (b) => b.map((x) => x.textContent));
  same(jobs.length, 4, `every press kept, a language switch not: ${jobs.join(' | ')}`);
  check(jobs[0].includes('FT-9') && jobs[0].includes('114.3 x 8.6 mm'), `the newest first: ${jobs[0]}`);
  // For a person to look at: the bar with its result over the kept jobs.
  await page.$eval('#JobsSection', (e) => e.scrollIntoView({ block: 'end' }));
  await page.screenshot({ path: join(shotDir, 'web-phone.png') });
  await page.tap('#RecentJobs li:nth-child(2) button');
  same([await page.$eval('#WALL_THICKNESSText', (e) => e.value), await page.$eval('#JobTag', (e) => e.value),
    await page.$eval('#txtResult1Text', (o) => o.value)], ['6', '', ''], 'a kept job restored, its results empty');

  // Saved as a job sheet in quillmere-calc's columns, which recomputes every row alike.
  await page.evaluate(() => {
    const made = URL.createObjectURL;
    URL.createObjectURL = (blob) => { window.exportedBlob = blob; return made(blob); };
    HTMLAnchorElement.prototype.click = function () { window.exported = { name: this.download }; };
  });
  await page.tap('#ExportJobs');
  const exported = await page.evaluate(async () => ({ ...window.exported, text: await window.exportedBlob.text() }));
  check(/^quillmere-jobs-\d{8}-\d{6}\.csv$/.test(exported.name), `the sheet's name: ${exported.name}`);
  const sheetRows = parseCsv(exported.text);
  same(sheetRows.map((r) => [r.outer_diameter, r.wall, r.tag, r.result1]),
    [['114.3', '6.0', '', '65.47'], ['114.3', '6.0', '', '65.47'], ['114.3', '6', '', '65.47'], ['114.3', '8.6', 'FT-9', '68.10']].slice(0, sheetRows.length),
    'the kept jobs, oldest first');
  if (process.env.QUILLMERE_CALC) {
    const sheetPath = join(mkdtempSync(join(tmpdir(), 'qm-')), 'jobs.csv');
    writeFileSync(sheetPath, exported.text);
    const office = spawnSync(process.env.QUILLMERE_CALC, ['--sheet', sheetPath], { encoding: 'utf8' });
    same(office.status, 0, `quillmere-calc takes the sheet: ${office.stderr}`);
    same(parseCsv(office.stdout).map((r) => r.result1), sheetRows.map((r) => r.result1), 'and recomputes every row alike');
  }
  // Clearing the list asks first.
  await page.evaluate(() => { window.confirm = () => false; });
  await page.tap('#ClearJobs');
  same((await page.$$('#RecentJobs li')).length, 4, 'kept when the question is answered no');
  await page.evaluate(() => { window.confirm = () => true; });
  await page.tap('#ClearJobs');
  same([(await page.$$('#RecentJobs li')).length, await page.$eval('#NoRecentJobs', (p) => p.hidden)], [0, false], 'cleared');
  // What an older page or a hand left in the phone's storage cannot stop the page starting.
  await page.evaluate(() => localStorage.setItem('quillmere.jobs', JSON.stringify(
    [null, 3, { time: 5 }, { result1: '1' }, { time: '2026-12-09 10:00:00', sheetLine: '', result1: '65.47' },
      { time: '2026-12-09 10:01:00', sheetLine: '', result1: { toString: 1 } }, // threw in a template
      { time: '2026-12-09 10:02:00', sheetLine: '', result1: '1', form: { units: 0, texts: [{}], lists: {} } },
      { time: '2026-12-09 10:03:00', sheetLine: '', result1: '1', form: { units: 0, texts: [], lists: { a: 'x' } } },
      { time: '2026-12-09 10:04:00', sheetLine: '', result1: '63.11',
        form: { units: 0, texts: ['114.3', '', '6.0'], lists: {}, identity: { tag: 'FT\u202E-1C' } } }])));
  await page.reload();
  await page.waitForSelector('body[data-ready="1"]', { timeout: 10000 }).catch(() => check(false, 'starts over unreadable kept jobs'));
  same(await page.$$eval('#RecentJobs button', (b) => b.map((x) => x.textContent.endsWith(' mm'))), [true, true],
    'the readable kept jobs listed, the rest left out');
  // A direction override an older page kept in a tag stays inside the tag: the figures after
  // it keep their order.
  same(await page.$$eval('#RecentJobs li:last-child bdi', (parts) => parts.map((p) => p.textContent).slice(-3)),
    ['FT\u202E-1C', '114.3 x 6.0 mm', '63.11 mm'], 'each part of a listed job isolated');

  // The job's identity counted in characters, never cut: a note pasted too long is said,
  // whole as it was pasted; a direction override in a tag is refused.
  await page.$eval('#JobDetails', (d) => { d.open = true; });
  // Pasted as the browser pastes: the input's own limits would apply.
  await page.$eval('#JobNote', (e) => { e.focus(); e.select(); document.execCommand('insertText', false, 'n'.repeat(400)); });
  await page.tap('#ExecuteCalc');
  same([await page.$eval('#MessageText', (m) => m.textContent), await page.$eval('#JobNote', (e) => e.value.length)],
    ['NOTE takes at most 300 characters', 400], 'a note too long is said, not cut');
  await page.$eval('#MessageBox', (d) => d.close());
  await page.$eval('#JobNote', (e) => { e.value = '𠮷'.repeat(300); });
  await page.$eval('#JobTag', (e) => { e.value = 'FT\u202E101'; });
  await page.tap('#ExecuteCalc');
  same(await page.$eval('#MessageText', (m) => m.textContent),
    'TAG cannot hold invisible format characters (direction marks and overrides, zero-width spaces)', 'a bidi override refused');
  await page.$eval('#MessageBox', (d) => d.close());
  await page.$eval('#JobTag', (e) => { e.value = 'FT-101'; });
  await page.tap('#ExecuteCalc');
  same(await page.$eval('#txtResult1Text', (o) => o.value), '65.47', '300 characters outside the BMP are a note of 300');

  // A field the keyboard's Next moves to is scrolled clear of the bar, never left under it.
  const [under, hidden] = await page.evaluate(async () => {
    const field = document.getElementById('JobInstaller');
    const bar = document.getElementById('ActionBar');
    document.activeElement?.blur();
    window.scrollTo({ top: document.documentElement.scrollHeight });
    window.scrollBy({ top: field.getBoundingClientRect().top - (bar.getBoundingClientRect().top + 10) });
    const before = field.getBoundingClientRect().bottom - bar.getBoundingClientRect().top;
    field.focus();
    await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
    return [before, field.getBoundingClientRect().bottom - bar.getBoundingClientRect().top];
  });
  check(under > 0 && hidden <= 0, `a focused field clear of the bar (its bottom ${under}, then ${hidden} px below the bar's top)`);
  await page.close();
}

// 5. How sure: the panel under the result on a phone, its figures the core's as
// quillmere-calc prints them, carried by the record only while every entry is accepted.
{
  const page = await open('en', 'metric', browser,
    (p) => p.setViewport({ width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true }));
  same(await page.$eval('#HowSure', (d) => d.hidden), true, 'no panel without a result');
  same(await usualCase(page, 'tap'), '65.47', 'the usual case');
  const tapInView = async (selector) => { // scrolled clear of the bar, as a thumb does
    await page.$eval(selector, (e) => e.scrollIntoView({ block: 'center' }));
    await page.tap(selector);
  };
  await tapInView('#HowSureTitle');
  await page.waitForSelector('#wall_tolerance');
  same(await page.$$eval('#HowSureInputs input', (inputs) => inputs.map((i) => i.id)),
    ['outer_diameter_tolerance', 'pipe_velocity_tolerance', 'wall_tolerance', 'fluid_velocity_tolerance',
      'measured_fluid_velocity'], 'a field for each input the spacing read');
  await page.type('#wall_tolerance', '0.5');
  await page.type('#measured_fluid_velocity', '1550');
  const lines = [
    'Tolerances: WALL THICKNESS ±0.5 mm', 'Spacing range: 64.96 mm to 65.98 mm', 'Flow error range: -1.93 % to +1.98 %',
    'Change per unit of input:', '  OUTER DIAMETER: spacing 0.833 mm/mm, flow +1.96 %/mm',
    '  PIPE S.V.: spacing 0.0150 mm/(m/s), flow 0 %/(m/s)', '  WALL THICKNESS: spacing 1.01 mm/mm, flow -3.91 %/mm',
    '  FLUID S.V.: spacing 0.0695 mm/(m/s), flow 0 %/(m/s)', 'Transit-time difference: 82.2 ns per 1 m/s of flow velocity',
    "Converter's check: measured 1550 m/s is +7.64 % from the 1440 m/s used; the spacing for it is 73.27 mm; " +
      "it is water's velocity at 58.5 °C (and at 90.8 °C)"];
  same((await page.$eval('#HowSureFigures', (p) => p.textContent)).split('\n'), lines, 'the figures quillmere-calc gives');
  const printed = () => page.$eval('#PrintSummary', (p) => p.textContent);
  check((await printed()).endsWith(lines.join('\n') + '\n'), 'the printed record carries them');
  same(await page.$$eval('#HowSureChart img, #PrintTornado img', (images) => images.length), 2, 'the chart shown and printed');
  const [chartWidth, screenWidth] = await page.$eval('#HowSureChart img', (i) => [i.getBoundingClientRect().right, innerWidth]);
  check(chartWidth <= screenWidth, `the chart within the phone's width (${chartWidth} of ${screenWidth})`);
  await page.screenshot({ path: join(shotDir, 'web-how-sure.png'), fullPage: true });
  // A bad plus/minus is named at once; the record then carries none of it.
  await page.$eval('#wall_tolerance', (e) => { e.value = ''; });
  await page.type('#wall_tolerance', '7');
  same(await page.$eval('#HowSureProblem', (p) => [p.hidden, p.textContent]),
    [false, 'WALL THICKNESS: the ± must be smaller than the value itself (6.0)'], 'a plus/minus larger than the wall');
  same([await page.$eval('#HowSureFigures', (p) => p.textContent), (await printed()).includes('±')], ['', false],
    'nothing computed from a refused plus/minus');
  // The fluid helper's temperature decides between the two temperatures of one velocity.
  await page.$eval('#wall_tolerance', (e) => { e.value = ''; e.dispatchEvent(new Event('input')); });
  // (After typing, the emulated phone's visual viewport stays offset and a tap lands 64 px
  // low; the button is pressed as a click.)
  await page.$eval('#FluidAtTemperatureAction', (b) => b.click());
  await page.type('#Temperature', '85');
  await page.tap('#FluidAtTemperatureOk');
  await page.tap('#ExecuteCalc');
  await page.waitForSelector('#measured_fluid_velocity');
  await page.$eval('#measured_fluid_velocity', (e) => { e.value = '1553'; e.dispatchEvent(new Event('input')); });
  check((await page.$eval('#HowSureFigures', (p) => p.textContent))
    .endsWith("it is water's velocity at 84.8 °C (and at 63.9 °C)"), 'the temperature nearer the one entered first');
  // Hot water at the line's pressure: boiling is refused naming the pressure, IF97 gives the
  // velocity at 1.6 MPa, and the converter's check turns it back at that pressure.
  await page.$eval('#FluidAtTemperatureAction', (b) => b.click());
  await page.$eval('#Temperature', (e) => { e.value = '120'; });
  await page.$eval('#Pressure', (e) => { e.value = '0.05'; });
  await page.$eval('#FluidAtTemperatureOk', (b) => b.click());
  same(await page.$eval('#MessageText', (m) => m.textContent), "At 120 °C water boils at 0.09734 MPa gauge " +
    "(0.198665 MPa absolute) and below: give the line's pressure; below it, it is steam", 'steam refused');
  await page.$eval('#MessageBox', (d) => d.close());
  await page.waitForFunction(() => document.activeElement.id === 'Pressure', { timeout: 5000 })
    .catch(() => check(false, 'the pressure to mend given the focus'));
  await page.$eval('#Pressure', (e) => { e.value = '1.6'; });
  await page.$eval('#FluidAtTemperatureOk', (b) => b.click());
  same(await page.$eval('#FLUID_S_VText', (e) => e.value), '1524', 'IF97 at 120 degC and 1.6 MPa');
  await page.$eval('#ExecuteCalc', (b) => b.click());
  await page.waitForSelector('#measured_fluid_velocity');
  await page.$eval('#measured_fluid_velocity', (e) => { e.value = '1524'; e.dispatchEvent(new Event('input')); });
  const hot = await page.$eval('#PrintSummary', (p) => p.textContent);
  check(hot.includes('FLUID S.V.: 1524 m/s (WATER 120 °C, 1.6 MPa gauge (1.701325 MPa absolute), IAPWS-IF97)\n') &&
    /it is water's velocity at 1[12]\d\.\d °C/.test(hot), `the record of hot water: ${hot}`);
  await page.close();
}

// 8. The core as servers send it: one that does not call it application/wasm still serves a
// working page; a core the browser cannot compile (here, one it cannot read) is said in both
// languages, never left waited on behind a blank form.
const sendCore = (body, contentType) => async (page) => {
  await page.setBypassServiceWorker(true); // the worker would serve the good core it keeps
  await page.setRequestInterception(true);
  page.on('request', (request) => (request.url().endsWith('quillmere_core.wasm')
    ? request.respond({ status: 200, contentType, body })
    : request.continue()));
};
{
  const page = await open('en', 'metric', browser,
    sendCore(readFileSync(join(site, 'quillmere_core.wasm')), 'application/octet-stream'));
  same(await usualCase(page), '65.47', 'the usual case with the core sent as application/octet-stream');
  await page.close();
}
{
  const page = await browser.newPage();
  await sendCore('not a module', 'application/wasm')(page);
  await page.goto(`${origin}/?lang=en&units=metric`);
  await page.waitForFunction(() => document.getElementById('frmCalc').textContent.includes('WebAssembly'),
    { timeout: 10000 }).catch(() => check(false, 'a core that does not compile said, not waited on'));
  same(await page.$eval('body', (b) => b.dataset.ready), undefined, 'no form without its core');
  same(await page.$eval('#frmCalc', (m) => getComputedStyle(m).display !== 'none'), true, 'the sentence shown');
  await page.close();
}

await (await import('./site_section.mjs')).default({ open, usualCase, check, same, shotDir });
await (await import('./record_section.mjs')).default({ browser, origin, site, usualCase, check, same });

await browser.close();
server.close();
console.log(failures === 0 ? 'web page: all passed' : `web page: ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
