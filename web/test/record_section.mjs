// 10. The record's module: what the first result waits for is the form's module alone; the
// summary, the kept job, the helpers and the panels come from a second one fetched after it.
// A record that comes after its result was emptied is kept, not shown; one that cannot be
// fetched is said, and fetched again at the next press.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

export default async function recordSection({ browser, origin, site, usualCase, check, same }) {
  // What a phone fetches before its first result.
  const first = ['index.html', 'early.js', 'quillmere_core.js', 'quillmere_core.wasm']
    .reduce((sum, f) => sum + gzipSync(readFileSync(join(site, f)), { level: 9 }).length, 0);
  check(first <= 98 * 1024, `the first result's files, gzip -9, at most 98 KiB: ${(first / 1024).toFixed(1)} KiB`);

  // A page as a phone opens it: nothing fetched ahead; `refuse` fails the record's script.
  const fresh = async (refuse = () => false) => {
    const page = await browser.newPage();
    await page.setBypassServiceWorker(true);
    await page.setRequestInterception(true);
    const fetched = [];
    page.on('request', (request) => {
      const file = new URL(request.url()).pathname.slice(1);
      fetched.push(file);
      return refuse(file) ? request.respond({ status: 503, body: '' }) : request.continue();
    });
    await page.evaluateOnNewDocument(() => localStorage.clear());
    await page.goto(`${origin}/?lang=en&units=metric`);
    await page.waitForSelector('body[data-ready="1"]');
    return { page, fetched };
  };
  const record = (page) => page.evaluate(() => [document.body.classList.contains('has-record'),
    document.getElementById('PrintSummary').textContent, document.querySelectorAll('#RecentJobs li').length]);

  {
    const { page, fetched } = await fresh();
    same(fetched.filter((f) => f.startsWith('quillmere_record')), [], 'nothing of the record fetched before a result');
    same(await usualCase(page), '65.47', 'the result from the form alone');
    await page.waitForSelector('body.has-record');
    const [, summary, jobs] = await record(page);
    check(summary.includes('\nSENSOR SPACING1: 65.47 mm\n'), `the record follows the result: ${summary}`);
    same(jobs, 1, 'and the job is kept');
    same(fetched.filter((f) => f.startsWith('quillmere_record')), ['quillmere_record.js', 'quillmere_record.wasm'],
      'the record fetched after the result');
    await page.close();
  }
  {
    // Pressed, then a field changed before the record could come: the result is gone, and
    // the record of inputs no longer on the screen is not shown; the press is kept as made.
    const { page } = await fresh();
    await page.select('#SENSOR_TYPECombo', '4');
    await page.type('#OUTER_DIAMETERText', '114.3');
    await page.type('#WALL_THICKNESSText', '6.0');
    await page.evaluate(() => {
      document.getElementById('ExecuteCalc').click();
      const wall = document.getElementById('WALL_THICKNESSText');
      wall.value = '6.5';
      wall.dispatchEvent(new Event('input', { bubbles: true }));
    });
    await page.evaluate(() => window.quillmere.record());
    await page.evaluate(() => new Promise((done) => setTimeout(done, 50)));
    same(await record(page), [false, '', 1], 'the record of emptied results not shown, the press kept');
    check((await page.$eval('#RecentJobs button', (b) => b.textContent)).includes('114.3 x 6.0 mm'),
      'kept with the inputs it was computed from');
    await page.click('#ExecuteCalc');
    await page.waitForSelector('body.has-record');
    check((await record(page))[1].includes('\nWALL THICKNESS: 6.5 mm\n'), 'the next press has its own record');
    await page.close();
  }
  {
    // Out of reach (offline before the page was ever kept): the result stands, what needs the
    // record is said, and the next press fetches it again.
    let reachable = false;
    const { page } = await fresh((file) => !reachable && file === 'quillmere_record.js');
    same(await usualCase(page), '65.47', 'a result without the record');
    await page.waitForFunction(() => document.getElementById('MessageBox').open);
    same(await page.$eval('#MessageText', (p) => p.textContent),
      'Part of the page could not be loaded: check the connection and try again.', 'said when it cannot be fetched');
    await page.click('#MessageOk');
    same((await record(page))[0], false, 'no record');
    await page.click('#StandardPipeAction');
    await page.waitForFunction(() => document.getElementById('MessageBox').open);
    same(await page.$eval('#StandardPipeDialog', (d) => d.open), false, 'no helper without it');
    await page.click('#MessageOk');
    reachable = true;
    await page.click('#ExecuteCalc');
    await page.waitForSelector('body.has-record');
    same((await record(page))[2], 1, 'fetched again at the next press, the job kept');
    await page.close();
  }
}
