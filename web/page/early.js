// The core's WebAssembly is compiled while the page is still being read, not after the
// core's script has started: on a phone the compile is most of the wait for the first
// result. Loaded on its own, ahead of that script; the core takes the module from here
// (app.js), or fetches its own where this came late or the browser cannot stream it.
var QuillmereWasm = typeof WebAssembly === 'object' && typeof WebAssembly.compileStreaming === 'function'
  ? WebAssembly.compileStreaming(fetch('quillmere_core.wasm', { credentials: 'same-origin' })).catch(() => null)
  : null;
