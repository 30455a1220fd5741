// 9. Where to clamp: the panel under the result on a phone, its runs the core's as
// quillmere-calc prints them, the sketch within the screen, the record carrying them only
// while every entry is accepted, and a kind no three makers' figures hold refused.
import { join } from 'node:path';

export default async function siteSection({ open, usualCase, check, same, shotDir }) {
  const page = await open('en', 'metric', undefined,
    (p) => p.setViewport({ width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true }));
  same(await page.$eval('#Site', (d) => d.hidden), true, 'no measuring point without a result');
  same(await usualCase(page, 'tap'), '65.47', 'the usual case');
  await page.$eval('#SiteTitle', (e) => e.scrollIntoView({ block: 'center' }));
  await page.tap('#SiteTitle');
  await page.waitForSelector('#upstream');
  same(await page.$$eval('#SiteInputs select, #SiteInputs input', (c) => c.map((e) => [e.id, e.getAttribute('aria-label')])),
    [['upstream', 'upstream'], ['available_upstream', 'Straight run the site has upstream'], ['downstream', 'downstream'],
      ['available_downstream', 'Straight run the site has downstream'], ['pipe_run', 'Pipe run']],
    'the lists and fields, named as the sheet columns');
  await page.select('#upstream', 'elbow');
  await page.type('#available_upstream', '2000');
  await page.select('#downstream', 'pump');
  const lines = ['Straight runs:',
    '  upstream 20 D = 2,286 mm; the 2,000 mm the site has is 286 mm short (one 90° elbow or bend)',
    '  downstream 20 D = 2,286 mm (pump)', "Sensors' position: V method: both sensors on one side, at 3 o'clock",
    "  Horizontal pipe: both sensors within 45° of the horizontal plane (3 or 9 o'clock), never at the top, where gas " +
      'collects, nor at the bottom, where sediment lies'];
  same((await page.$eval('#SiteFigures', (p) => p.textContent)).split('\n'), lines, 'the runs quillmere-calc gives');
  const printed = () => page.$eval('#PrintSummary', (p) => p.textContent);
  check((await printed()).endsWith(lines.join('\n') + '\n'), 'the printed record carries them');
  same(await page.$$eval('#SiteSketch img, #PrintSite img', (images) => images.length), 2, 'the sketch shown and printed');
  const [right, width] = await page.$eval('#SiteSketch img', (i) => [i.getBoundingClientRect().right, innerWidth]);
  check(right <= width, `the sketch within the phone's width (${right} of ${width})`);
  await page.$eval('#SiteSketch', (e) => e.scrollIntoView({ block: 'end' }));
  await page.screenshot({ path: join(shotDir, 'web-measuring-point.png') });
  // The how-sure panel's figures and these stand in one record, whichever changed last.
  await page.tap('#HowSureTitle');
  await page.waitForSelector('#wall_tolerance');
  await page.$eval('#wall_tolerance', (e) => { e.value = '0.5'; e.dispatchEvent(new Event('input')); });
  check((await printed()).includes('Tolerances: WALL THICKNESS ±0.5 mm') && (await printed()).includes(lines[1]),
    'the plus/minus beside the measuring point in the record');
  // A tee is refused, and the record then carries none of the runs.
  await page.select('#upstream', 'tee');
  same(await page.$eval('#SiteProblem', (p) => [p.hidden, p.textContent.slice(0, 33)]),
    [false, 'No straight run is held for a tee'], 'a tee refused');
  same([await page.$eval('#SiteFigures', (p) => p.textContent), (await printed()).includes('Straight runs')], ['', false],
    'nothing planned from a refused entry');
  // The next result carries the measuring point given, the panel closed or not.
  await page.select('#upstream', 'two-elbows-out-of-plane');
  await page.$eval('#ExecuteCalc', (b) => b.click());
  await page.waitForFunction(() => document.getElementById('PrintSummary').textContent.includes('upstream 40 D = 4,572 mm'),
    { timeout: 5000 }).catch(() => check(false, 'the measuring point kept for the next result'));
  // Other units: the lengths typed in mm (the site's runs, the plus/minus) are not taken as
  // inches; the fitting stays. Another language: the panel speaks it.
  await page.select('#Units', '1');
  await page.$eval('#ExecuteCalc', (b) => b.click());
  await page.waitForFunction(() => document.getElementById('PrintSummary').textContent.includes('upstream 40 D = 180.0 inch'),
    { timeout: 5000 }).catch(() => check(false, 'the fitting kept over a units switch'));
  const summary = await printed();
  check(!summary.includes('2,000') && !summary.includes('Tolerances'), `no mm length read as inches: ${summary}`);
  same(await page.$eval('#available_upstream', (e) => e.value), '', 'the site run typed in mm cleared');
  await page.select('#Language', '0');
  await page.waitForFunction(() => document.getElementById('upstream')?.getAttribute('aria-label') === '上流側',
    { timeout: 5000 }).catch(() => check(false, 'the panel in Japanese after a language switch'));
  check((await printed()).includes('上流側 40 D = 180.0 inch'), 'the record in Japanese');
  await page.close();
}
