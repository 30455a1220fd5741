// The record's module (quillmere_record.wasm): the job's summary and its line of the job
// sheet, the helpers' figures and the panels'. The first result waits for none of it: it is
// fetched once a result is on the screen or a helper is opened, and its calls answer as the
// form's module's do.
const QuillmereRecordModule = (() => {
  'use strict';
  let module = null;
  let loading = null;
  function load() {
    loading ??= new Promise((resolve, reject) => {
      const script = Object.assign(document.createElement('script'), { src: 'quillmere_record.js' });
      script.addEventListener('load', resolve);
      script.addEventListener('error', () => reject(new Error('quillmere_record.js')));
      document.head.append(script);
    }).then(() => QuillmereRecord()).then((ready) => {
      module = ready;
      return ready;
    }).catch((error) => {
      loading = null; // asked again, it is fetched again
      throw error;
    });
    return loading;
  }
  return { load, get module() { return module; } };
})();
