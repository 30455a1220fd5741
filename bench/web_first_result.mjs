// The browser edition's first result: from navigation to the first computed result, in
// headless chromium, every file fetched anew (no HTTP cache, no service worker), with the
// processor optionally throttled as a phone's would be. Prints each load and the median.
//   node bench/web_first_result.mjs SITE [--throttle N] [--runs N] [--viewport WxH]
import { commandLine, launch, pressWhenReady, serve } from './page_bench.mjs';

const { site, option } = commandLine('node bench/web_first_result.mjs SITE [--throttle N] [--runs N] [--viewport WxH]');
const throttle = Number(option('--throttle', '1'));
const runs = Number(option('--runs', '7'));
const [width, height] = option('--viewport', '360x740').split('x').map(Number);

const server = await serve(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const browser = await launch();
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
await page.evaluateOnNewDocument(pressWhenReady);
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
