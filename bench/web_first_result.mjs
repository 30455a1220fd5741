// The browser edition's first result: from navigation to the first computed result, in
// headless chromium, every file fetched anew (no HTTP cache, no service worker), with the
// processor optionally throttled as a phone's would be. Prints each load and the median.
//   node bench/web_first_result.mjs SITE [--throttle N] [--runs N] [--viewport WxH]
// (puppeteer-core comes from web/test's node modules: ./test installs them.)
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(join(here, '..', 'web', 'test', 'package.json'));
const puppeteer = require('puppeteer-core');
const { serve } = await import(join(here, '..', 'web', 'serve.mjs'));

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const at = args.indexOf(name);
  return at >= 0 ? args[at + 1] : fallback;
};
const site = args.find((a, i) => !a.startsWith('--') && (i === 0 || !args[i - 1].startsWith('--')));
if (!site) {
  console.error('usage: node bench/web_first_result.mjs SITE [--throttle N] [--runs N] [--viewport WxH]');
  process.exit(2);
}
const throttle = Number(option('--throttle', '1'));
const runs = Number(option('--runs', '7'));
const [width, height] = option('--viewport', '360x740').split('x').map(Number);

const server = await serve(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--lang=en-US'],
});
const context = await browser.createBrowserContext();
const page = await context.newPage();
await page.setViewport({ width, height, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
await page.setCacheEnabled(false);
await page.setBypassServiceWorker(true);
if (throttle > 1) {
  const session = await page.createCDPSession();
  await session.send('Emulation.setCPUThrottlingRate', { rate: throttle });
}
// As soon as the page is ready, a script types a case and presses EXECUTE.
await page.evaluateOnNewDocument(() => {
  addEventListener('DOMContentLoaded', async () => {
    await window.quillmere.ready;
    document.getElementById('SENSOR_TYPECombo').selectedIndex = 4;
    document.getElementById('OUTER_DIAMETERText').value = '114.3';
    document.getElementById('WALL_THICKNESSText').value = '6.0';
    document.getElementById('ExecuteCalc').click();
    window.firstResult = [document.getElementById('txtResult1Text').value, performance.now()];
  });
});
const times = [];
for (let i = 0; i <= runs; i++) {
  await page.goto(`${origin}/?lang=en&units=metric&load=${i}`);
  const [result, ms] = await page.waitForFunction(() => window.firstResult, { timeout: 0 }).then((h) => h.jsonValue());
  if (result !== '65.47') {
    console.error(`load ${i}: the page showed ${JSON.stringify(result)}, not 65.47`);
    process.exitCode = 1;
  }
  if (i > 0) times.push(ms); // the first load warms the browser up
}
await browser.close();
server.close();
const sorted = [...times].sort((a, b) => a - b);
const median = sorted[Math.floor(sorted.length / 2)];
console.log(`navigation to first result, ${width}x${height}, CPU throttled ${throttle}x, ${runs} loads: ` +
  `${times.map((t) => t.toFixed(0)).join(', ')} ms; median ${median.toFixed(0)} ms`);
