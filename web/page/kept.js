// What the page keeps on the phone, so that a reload or a closed tab loses nothing: the
// choices of language and units, the form as typed, the last jobs computed. Storage and
// files only; the page decides what to keep and when.
const QuillmereKept = (() => {
  'use strict';

  const remembered = (key, fallback) => {
    try {
      return localStorage.getItem(key) ?? fallback;
    } catch {
      return fallback;
    }
  };
  const remember = (key, value) => {
    try {
      localStorage.setItem(key, value);
    } catch {
      // private browsing: the choice lasts for this visit only
    }
  };

  const two = (n) => String(n).padStart(2, '0');
  // "2026-12-09 03:48", with `seconds` "2026-12-09 03:48:12": the local time of a job.
  function now(seconds = false) {
    const d = new Date();
    return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())} ${two(d.getHours())}:${two(d.getMinutes())}` +
      (seconds ? `:${two(d.getSeconds())}` : '');
  }
  // The time to the second, as the report's file name takes it: 20261209-034812.
  function stamp() {
    const d = new Date();
    return `${d.getFullYear()}${two(d.getMonth() + 1)}${two(d.getDate())}-${two(d.getHours())}${two(d.getMinutes())}${two(d.getSeconds())}`;
  }

  // The last 50 jobs computed on this phone, newest first.
  const JOBS_KEPT = 50;
  const JOBS_KEY = 'quillmere.jobs';
  // An entry of the shape this page writes: texts where it writes texts, its form's lists
  // whole numbers. Anything else (an older page's, a hand's) is left out, so that it cannot stop
  // the page from starting.
  const isText = (value) => typeof value === 'string';
  const textOrNone = (value) => value === undefined || isText(value);
  const isRecord = (value) => typeof value === 'object' && value !== null && !Array.isArray(value);
  function readableForm(form) {
    return form === undefined || (isRecord(form) && (form.units === 0 || form.units === 1) &&
      Array.isArray(form.texts) && form.texts.every(isText) &&
      isRecord(form.lists) && Object.values(form.lists).every(Number.isInteger) &&
      (form.identity === undefined || (isRecord(form.identity) && Object.values(form.identity).every(isText))));
  }
  function readable(job) {
    return isRecord(job) && isText(job.time) && isText(job.sheetLine) && isText(job.result1) &&
      ['result2', 'circumferential', 'summary'].every((key) => textOrNone(job[key])) && readableForm(job.form);
  }
  function all() {
    try {
      const jobs = JSON.parse(remembered(JOBS_KEY, '[]'));
      return Array.isArray(jobs) ? jobs.filter(readable) : [];
    } catch {
      return [];
    }
  }
  function keep(job) {
    remember(JOBS_KEY, JSON.stringify([job, ...all()].slice(0, JOBS_KEPT)));
  }
  function clear() {
    remember(JOBS_KEY, '[]');
  }
  // The kept jobs as a job sheet in quillmere-calc's columns (`header` from the core),
  // oldest first.
  function sheetFile(header) {
    const sheet = header + all().slice().reverse().map((kept) => kept.sheetLine).join('');
    return new File([sheet], `quillmere-jobs-${stamp()}.csv`, { type: 'text/csv' });
  }
  function sharesFiles() {
    try {
      return Boolean(navigator.canShare && navigator.canShare({ files: [new File([''], 'x.csv', { type: 'text/csv' })] }));
    } catch {
      return false;
    }
  }
  // Saved as the browser saves a download.
  function save(file) {
    const link = Object.assign(document.createElement('a'), { href: URL.createObjectURL(file), download: file.name });
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  return { remembered, remember, now, stamp, keptJobs: { all, keep, clear, sheetFile, sharesFiles, save } };
})();
