// What the two live panels under the result share ("How sure", "Measuring point"): shown with
// each result, filled when opened or when something was given before, hidden with the
// result; `refresh` asks the core and fills it.
const QuillmerePanel = (id, printId, refresh) => {
  'use strict';
  const $ = (name) => document.getElementById(name);
  const state = { page: null, shown: null }; // the page's calls, the job on screen
  let connected = false;
  return {
    state,
    image: (svg, alt) => Object.assign(new Image(), {
      src: 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg), alt,
    }),
    show(page, request, record, title, given) {
      state.page = page;
      state.shown = { request, record };
      $(`${id}Title`).textContent = title;
      $(id).hidden = false;
      if (!connected) {
        connected = true;
        $(id).addEventListener('toggle', () => $(id).open && refresh());
      }
      // What was given earlier reaches the printed record even with the panel closed.
      if ($(id).open || Object.values(given).some((text) => text.trim())) {
        refresh();
      }
    },
    hide() {
      state.shown = null;
      $(id).hidden = true;
      $(printId).replaceChildren();
    },
  };
};

// The helpers' dialogs: a standard pipe's diameter, wall and lining, and a fluid's sound
// velocity at a temperature, typed into the page's fields by the core's figures.
const QuillmereHelpers = (() => {
  'use strict';
  const $ = (id) => document.getElementById(id);
  let pipeTables = null; // the core's tables, asked once

  // Standard pipe: standard, size and schedule; OK types the diameter and wall.
  function standardPipe(page) {
    // The lists' handlers, set at the first opening, read the run's units when they run.
    const { json, ask, index, select, setText, leave, notes } = page;
    pipeTables = pipeTables || json('qm_pipe_tables', [], []);
    const standard = $('Standard');
    const size = $('Size');
    const schedule = $('Schedule');
    const table = () => pipeTables[Math.max(0, standard.selectedIndex)];
    const mortar = $('Mortar');
    const sizeTexts = () => json('qm_pipe_texts', ['number', 'number', 'number', 'number', 'number', 'number'],
      [standard.selectedIndex, size.selectedIndex, Number(schedule.value), page.units, index('PIPE_MATERIALCombo'),
        mortar.checked && !mortar.disabled ? 1 : 0]);
    const showMaterial = () => { $('Material').value = $('PIPE_MATERIALCombo').options[sizeTexts().material].text; };
    const chosenText = (list) => (list.selectedIndex >= 0 ? list.options[list.selectedIndex].text : '');
    // Where the lists stand after a change: the core keeps the size and the schedule.
    const kept = () => ask('qm_pipe_kept', { table: standard.selectedIndex, size: chosenText(size), schedule: chosenText(schedule) });
    const fillSchedules = () => {
      const row = table().sizes[Math.max(0, size.selectedIndex)];
      const { schedule: column } = kept();
      schedule.replaceChildren(...row.schedules.map((c) => new Option(table().schedules[c], String(c))));
      schedule.selectedIndex = row.schedules.indexOf(column);
      schedule.disabled = schedule.length < 2;
      showMaterial(); // what OK does to PIPE MATERIAL, shown before it is done
    };
    const fillSizes = () => {
      const { row } = kept();
      mortar.disabled = !table().mortar; // a lining only where the standard's is held
      size.replaceChildren(...table().sizes.map((s, i) => new Option(s.name, String(i))));
      size.selectedIndex = row;
      fillSchedules();
    };
    if (standard.length === 0) {
      standard.replaceChildren(...pipeTables.map((t, i) => new Option(t.name, String(i))));
      standard.onchange = fillSizes;
      size.onchange = fillSchedules;
      fillSizes();
    }
    showMaterial(); // PIPE MATERIAL may have changed since the dialog was last open
    $('StandardPipeOk').onclick = (event) => {
      event.preventDefault();
      const r = sizeTexts();
      $('StandardPipeDialog').close();
      select('PIPE_MATERIALCombo', r.material);
      setText(0, r.outer);
      setText(2, r.wall);
      Object.assign(notes, { pipe: r.note, outer: r.outer, wall: r.wall });
      if (r.lining >= 0) {
        select('LINING_MATERIALCombo', r.lining);
        setText(4, r.liningThickness);
        Object.assign(notes, { liningNote: r.liningNote, lining: r.liningThickness });
      }
      if (leave(0)) {
        leave(2);
      }
    };
    $('StandardPipeDialog').showModal();
  }

  function fluidAtTemperature(page) {
    const { ask, index, select, setText, message, units, lang, texts, notes } = page;
    const fluid = $('Fluid');
    fluid.replaceChildren(...texts.waters.map((i) => new Option(texts.fluids[i], String(i))));
    const current = texts.waters.indexOf(index('KIND_OF_FLUIDCombo'));
    fluid.selectedIndex = current >= 0 ? current : 0;
    const temperature = $('Temperature');
    const salinity = $('Salinity');
    // A salinity is sea water's only (SEAWATER is the list's second entry).
    const seaOnly = () => {
      salinity.disabled = fluid.value !== '1';
      if (salinity.disabled) {
        salinity.value = '';
      }
    };
    fluid.onchange = seaOnly;
    seaOnly();
    $('FluidAtTemperatureOk').onclick = (event) => {
      event.preventDefault();
      const water = { fluid: fluid.value, temperature: temperature.value, pressure: $('Pressure').value, salinity: salinity.value };
      const r = ask('qm_fluid_temperature', { ...water, unit: units, lang });
      if (r.error) {
        const entry = $(r.errorIn[0].toUpperCase() + r.errorIn.slice(1));
        message(r.error, () => { entry.focus(); entry.select(); }); // the dialog stays
        return;
      }
      $('FluidAtTemperatureDialog').close();
      select('KIND_OF_FLUIDCombo', texts.fluidUser); // FLUID S.V.
      setText(5, r.velocity);
      // What the water was, for the converter's check to turn a measured velocity back.
      Object.assign(notes, { temperature: r.note, velocity: r.velocity, water });
    };
    $('FluidAtTemperatureDialog').showModal();
    temperature.focus();
  }

  return { standardPipe, fluidAtTemperature };
})();
