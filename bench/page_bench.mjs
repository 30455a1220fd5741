// What the page benchmarks share: their command line, the headless chromium they drive, the
// site's server, and the case a script types and presses as soon as the page is ready.
// (puppeteer-core comes from web/test's node modules: ./test installs them.)
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(join(here, '..', 'web', 'test', 'package.json'));
const puppeteer = require('puppeteer-core');
export const { serve } = await import(join(here, '..', 'web', 'serve.mjs'));

// The site (the one argument that is no option's value) and a reader of the options; the
// usage is printed and the run ends without a site.
export function commandLine(usage) {
  const args = process.argv.slice(2);
  const site = args.find((a, i) => !a.startsWith('--') && (i === 0 || !args[i - 1].startsWith('--')));
  if (!site) {
    console.error(`usage: ${usage}`);
    process.exit(2);
  }
  const option = (name, fallback) => {
    const at = args.indexOf(name);
    return at >= 0 ? args[at + 1] : fallback;
  };
  return { site, option };
}

export const launch = () => puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--lang=en-US'],
});

// Types VT-C1 on 114.3 x 6.0 mm as soon as the page is ready and presses EXECUTE; the result
// and the time since navigation land in window.firstResult.
export const pressWhenReady = () => {
  addEventListener('DOMContentLoaded', async () => {
    await window.quillmere.ready;
    document.getElementById('SENSOR_TYPECombo').selectedIndex = 4;
    document.getElementById('OUTER_DIAMETERText').value = '114.3';
    document.getElementById('WALL_THICKNESSText').value = '6.0';
    document.getElementById('ExecuteCalc').click();
    window.firstResult = [document.getElementById('txtResult1Text').value, performance.now()];
  });
};
