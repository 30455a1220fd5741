// The phone page's first result in a new tab, as a phone opens it from the home screen or a
// link, beside the floor: a trivial page of the same fields in a new tab, measured the same
// way in the same run, the loads alternating. Every load counts (no warm-up is dropped).
// Each mode: HTTP cache off and the service worker bypassed (a first visit), then the cache
// on and the worker serving (a visit after). Prints every load, the medians and the ratio.
//   node bench/web_cold_start.mjs SITE [--runs 9] [--throttle 4] [--viewport 360x740]
//     [--visits both|first|after] [--module-floor]
// --module-floor measures a second floor beside them: the trivial page that also fetches and
// compiles the core's WebAssembly (early.js) and waits for it, calling nothing in it: what any
// page over the core pays before its own start.
import { copyFileSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { commandLine, launch, pressWhenReady, serve } from './page_bench.mjs';

const { site, option } = commandLine('node bench/web_cold_start.mjs SITE [--runs 9] [--throttle 4] [--viewport 360x740] [--visits both|first|after] [--module-floor]');
const runs = Number(option('--runs', '9'));
const throttle = Number(option('--throttle', '4'));
const [width, height] = option('--viewport', '360x740').split('x').map(Number);
const modes = { both: [false, true], first: [false], after: [true] }[option('--visits', 'both')];

// The floor: the same six fields, five lists and the button, and a script that answers the
// press with a sum, on a page of its own origin. `head` goes before the script, which is ready
// once `ready` (an expression) resolves.
function floorPage(dir, head, ready) {
  const field = (id) => `<label>${id}<input id="${id}" inputmode="decimal"></label>`;
  const list = (id) => `<label>${id}<select id="${id}">${'<option>entry</option>'.repeat(12)}</select></label>`;
  writeFileSync(join(dir, 'index.html'), `<!doctype html><html><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1"><title>floor</title>
<style>body{font-family:sans-serif;margin:12px}label{display:grid;margin-bottom:10px}input,select{min-height:48px}</style>
${head}<script defer src="floor.js"></script></head><body><main>
${['OUTER_DIAMETERText', 'TRANS_FREQUENCYText', 'WALL_THICKNESSText', 'LINING_S_VText', 'LINING_THICKNESSText', 'FLUID_S_VText'].map(field).join('\n')}
${['PIPE_MATERIALCombo', 'LINING_MATERIALCombo', 'KIND_OF_FLUIDCombo', 'SENSOR_MOUNTCombo', 'SENSOR_TYPECombo'].map(list).join('\n')}
<button id="ExecuteCalc">EXECUTE</button><output id="txtResult1Text"></output></main></body></html>`);
  // A deferred script runs before DOMContentLoaded: the button answers from then on.
  writeFileSync(join(dir, 'floor.js'), `window.quillmere = { ready: Promise.resolve(${ready}) };
document.getElementById('ExecuteCalc').addEventListener('click', () => {
  const od = Number(document.getElementById('OUTER_DIAMETERText').value);
  document.getElementById('txtResult1Text').value = od > 0 ? '65.47' : '';
});`);
}
const floorDir = mkdtempSync(join(tmpdir(), 'quillmere-floor-'));
floorPage(floorDir, '', '');
const moduleFloorDir = process.argv.includes('--module-floor') ? mkdtempSync(join(tmpdir(), 'quillmere-floor-')) : null;
if (moduleFloorDir) {
  for (const file of ['early.js', 'quillmere_core.wasm']) {
    copyFileSync(join(site, file), join(moduleFloorDir, file));
  }
  floorPage(moduleFloorDir, '<script src="early.js"></script>', 'QuillmereWasm');
}

const quillmere = await serve(site);
const floor = await serve(floorDir);
const moduleFloor = moduleFloorDir ? await serve(moduleFloorDir) : null;
const urlOf = (server) => `http://127.0.0.1:${server.address().port}/?lang=en&units=metric`;
const browser = await launch();

// One load in a new tab: navigation to the first computed result, in ms.
async function load(url, cached) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  await page.setCacheEnabled(cached);
  await page.setBypassServiceWorker(!cached);
  if (throttle > 1) {
    const session = await page.createCDPSession();
    await session.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  }
  // As soon as the page is ready, a script types a case and presses EXECUTE.
  await page.evaluateOnNewDocument(pressWhenReady);
  await page.goto(url);
  const [result, ms] = await page.waitForFunction(() => window.firstResult, { timeout: 0 })
    .then((h) => h.jsonValue());
  if (result !== '65.47') {
    console.error(`${url}: the page showed ${JSON.stringify(result)}, not 65.47`);
    process.exitCode = 1;
  }
  // Let a worker install before the tab goes, as a visit would (the floor has none).
  if (cached) {
    await page.evaluate(() => Promise.race([navigator.serviceWorker?.ready,
      new Promise((done) => setTimeout(done, 2000))])).catch(() => {});
  }
  await page.close();
  return ms;
}

const median = (times) => [...times].sort((a, b) => a - b)[Math.floor(times.length / 2)];
for (const cached of modes) {
  const ours = [];
  const bare = [];
  const withModule = [];
  for (let i = 0; i < runs; i++) {
    bare.push(await load(urlOf(floor), cached));
    ours.push(await load(urlOf(quillmere), cached));
    if (moduleFloor) {
      withModule.push(await load(urlOf(moduleFloor), cached));
    }
  }
  const mode = cached ? 'HTTP cache on, service worker serving' : 'HTTP cache off, service worker bypassed';
  console.log(`${mode}, new tab each load, ${width}x${height}, CPU ${throttle}x, ${runs} loads each:`);
  console.log(`  Quillmere ${ours.map((t) => t.toFixed(0)).join(', ')} ms; median ${median(ours).toFixed(0)} ms`);
  console.log(`  trivial page ${bare.map((t) => t.toFixed(0)).join(', ')} ms; median ${median(bare).toFixed(0)} ms`);
  console.log(`  ratio ${(median(ours) / median(bare)).toFixed(2)} (target at most 1.5)`);
  if (moduleFloor) {
    console.log(`  trivial page with the core's module ${withModule.map((t) => t.toFixed(0)).join(', ')} ms; median ${median(withModule).toFixed(0)} ms`);
    console.log(`  its ratio to the trivial page ${(median(withModule) / median(bare)).toFixed(2)}; Quillmere's to it ${(median(ours) / median(withModule)).toFixed(2)}`);
  }
}
await browser.close();
quillmere.close();
floor.close();
moduleFloor?.close();
for (const dir of [floorDir, moduleFloorDir].filter(Boolean)) {
  rmSync(dir, { recursive: true });
}
