// The field page: the engine (vcurve-engine.js, WebAssembly) does every
// computation; this file only moves texts between it and the page.
'use strict';

const $ = (id) => document.getElementById(id);

function show(element, text) {
  element.textContent = text || '';
  element.hidden = !text;
}

// The profile file is kept in the browser's own database until another one
// is opened, so that the page needs no file after the first time.
const store = {
  open() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open('vcurve-field', 1);
      request.onupgradeneeded = () => request.result.createObjectStore('files');
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  },
  async run(mode, act) {
    const db = await store.open();
    return new Promise((resolve, reject) => {
      const request = act(db.transaction('files', mode).objectStore('files'));
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  },
  put: (file, key = 'profile') => store.run('readwrite', (s) => s.put(file, key)),
  get: (key = 'profile') => store.run('readonly', (s) => s.get(key)),
  drop: (key) => store.run('readwrite', (s) => s.delete(key)),
};

// CSV as the table program writes it: comma-separated, fields with a comma,
// quote or line break in quotes.
function csvRows(text) {
  const rows = [];
  let row = [], field = '', quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { field += '"'; ++i; }
      else if (c === '"') quoted = false;
      else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ',') { row.push(field); field = ''; }
    else if (c === '\n' || c === '\r') {
      if (c === '\r' && text[i + 1] === '\n') ++i;
      row.push(field); rows.push(row); row = []; field = '';
    } else field += c;
  }
  if (field || row.length) { row.push(field); rows.push(row); }
  return rows;
}

function setUpTabs() {
  const buttons = document.querySelectorAll('nav button');
  for (const button of buttons) {
    button.addEventListener('click', () => {
      for (const other of buttons) {
        other.classList.toggle('on', other === button);
        $(other.dataset.tab).hidden = other !== button;
      }
    });
  }
}

function setUpFile(engine, onLoaded) {
  const load = (name, bytes) => {
    const answer = engine.loadProfile(new Uint8Array(bytes), name);
    show($('file-problem'), answer.problem || answer.warning);
    if (answer.problem) return false;
    $('file-facts').hidden = false;
    $('file-name').textContent = name;
    $('file-range').textContent = answer.start + ' 至 ' + answer.end;
    $('file-points').textContent = answer.points + ' 个';
    $('file-equations').textContent = answer.equations ? answer.equations + ' 处' : '无';
    $('road-name').textContent = name;
    // The sections were read through this road's 断链; another road's
    // would not be its own.
    $('sections-facts').hidden = true;
    $('edges').hidden = $('offset-row').hidden = true;
    onLoaded();
    return true;
  };
  const loadSections = (name, bytes) => {
    const answer = engine.loadSections(new Uint8Array(bytes), name);
    show($('sections-problem'), answer.problem);
    if (answer.problem) return false;
    $('sections-facts').hidden = false;
    $('sections-name').textContent = name;
    $('sections-templates').textContent = answer.templates + ' 段';
    $('sections-curves').textContent = answer.curves ? answer.curves + ' 处' : '无';
    $('offset-row').hidden = false;
    return true;
  };
  $('profile-file').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (!file) return;
    const bytes = await file.arrayBuffer();
    if (load(file.name, bytes)) {
      store.put({ name: file.name, bytes }).then(() => store.drop('sections')).catch(() => {
        show($('file-problem'), '浏览器不让本页保存文件：下次打开本页须重新打开文件');
      });
    }
  });
  $('sections-file').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (!file) return;
    const bytes = await file.arrayBuffer();
    if (loadSections(file.name, bytes)) {
      store.put({ name: file.name, bytes }, 'sections').catch(() => {
        show($('sections-problem'), '浏览器不让本页保存文件：下次打开本页须重新打开文件');
      });
    }
  });
  return store.get().then(async (kept) => {
    if (!kept || !load(kept.name, kept.bytes)) return;
    const sections = await store.get('sections');
    if (sections) loadSections(sections.name, sections.bytes);
  }, () => {});
}

function setUpLookup(engine) {
  const answerAt = (answer, problem) => {
    show(problem, answer.problem);
    return !answer.problem;
  };
  $('lookup-form').addEventListener('submit', (event) => {
    event.preventDefault();
    const answer = engine.elevationAt($('station').value);
    $('lookup-answer').hidden = !answerAt(answer, $('lookup-problem'));
    $('design').textContent = answer.elevation;
    $('grade').textContent = answer.grade;
    $('element').textContent = answer.element;
    $('field-station').textContent = answer.station;
    $('edges').hidden = !answer.leftEdge;
    $('edge-left').textContent = answer.leftEdge;
    $('edge-right').textContent = answer.rightEdge;
    $('slope-left').textContent = answer.leftSlope;
    $('slope-right').textContent = answer.rightSlope;
    $('distance').textContent = answer.distance ? '连续里程 ' + answer.distance : '';
    $('fill-answer').hidden = true;
  });
  $('fill-form').addEventListener('submit', (event) => {
    event.preventDefault();
    const metres = $('offset-row').hidden ? '' : $('offset').value.trim();
    const offset = metres && $('offset-side').value === '-' ? '-' + metres : metres;
    const answer = engine.fillCut($('station').value, $('measured').value, offset);
    $('fill-answer').hidden = !answerAt(answer, $('fill-problem'));
    $('fill-kind').textContent = answer.kind === '填' ? '填（设计高于实测）' : '挖（实测高于设计）';
    $('fill-amount').textContent = answer.kind + ' ' + answer.amount;
    $('fill-amount').className = 'big ' + (answer.kind === '填' ? 'fill' : 'cut');
    $('fill-of').textContent = answer.station + (answer.offset
      ? ' ' + answer.offset + ' m 设计 ' + answer.offsetElevation
      : ' 设计 ' + answer.elevation);
  });
}

function setUpStakes(engine) {
  let csv = null;
  const file = () => new File([csv], '逐桩高程.csv', { type: 'text/csv' });
  $('stake-form').addEventListener('submit', (event) => {
    event.preventDefault();
    const added = $('stake-added').value.split(/[\s,，;；]+/).filter((s) => s);
    const from = $('stake-from').value, to = $('stake-to').value;
    // A step alone is no range: the default table takes no step.
    const step = from.trim() || to.trim() ? $('stake-step').value : '';
    const answer = engine.stakeList(from, to, step, added);
    show($('stake-problem'), answer.problem || answer.messages.join('\n'));
    const table = $('stake-table');
    table.textContent = '';
    csv = answer.problem ? null : answer.csv;
    $('stake-save').disabled = $('stake-share').disabled = !csv;
    if (!csv) return;
    const rows = csvRows(new TextDecoder().decode(csv));
    const head = table.createTHead().insertRow();
    for (const title of ['桩号', '设计高程', '纵坡%', '位置']) {
      head.appendChild(document.createElement('th')).textContent = title;
    }
    const body = table.createTBody();
    for (const row of rows.slice(1)) {
      const cells = [row[2], Number(row[3]).toFixed(3), Number(row[4]).toFixed(2), row[5]];
      const line = body.insertRow();
      cells.forEach((text, i) => {
        const cell = line.insertCell();
        cell.textContent = text;
        if (i === 3) cell.className = 'element';
      });
    }
  });
  $('stake-save').addEventListener('click', () => {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(file());
    link.download = '逐桩高程.csv';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  });
  if (navigator.canShare && navigator.canShare({ files: [new File([''], 'a.csv', { type: 'text/csv' })] })) {
    $('stake-share').hidden = false;
    $('stake-share').addEventListener('click', () => {
      navigator.share({ files: [file()], title: '逐桩高程' }).catch(() => {});
    });
  }
}

function setUpCurve(engine) {
  const inputs = [...document.querySelectorAll('#curve-form [data-field]')];
  const lines = $('curve-lines');
  const run = (command) => {
    const answer = engine.calculator(command, inputs.map((input) => input.value));
    answer.fields.forEach((text, i) => { if (inputs[i].value !== text) inputs[i].value = text; });
    if (answer.cleared) lines.textContent = '';
    for (const text of answer.lines) lines.appendChild(document.createElement('li')).textContent = text;
    show($('curve-message'), answer.messages.join('\n'));
    if (answer.focus >= 0) inputs[answer.focus].focus();
    if (answer.lines.length) lines.lastChild.scrollIntoView({ block: 'nearest' });
  };
  $('curve-form').addEventListener('submit', (event) => {
    event.preventDefault();
    run(document.querySelector('#curve-form [name=kind]:checked').value);
  });
  $('curve-clear').addEventListener('click', () => run('clear'));
  // The desktop window's checks, at the same moments.
  inputs[2].addEventListener('change', () => run('radius'));
  inputs[6].addEventListener('change', () => run('station'));
  inputs[4].addEventListener('input', () => run('grade5'));
  inputs[5].addEventListener('input', () => run('grade6'));
}

function setUpOffline() {
  const state = $('offline-state');
  if (location.protocol === 'file:') {
    state.textContent = '本页从本机文件打开，断网照常使用。';
  } else if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('service-worker.js').then(
      () => { state.textContent = '本页已存入浏览器，断网照常使用；可“添加到主屏幕”。'; },
      () => { state.textContent = '浏览器未能存下本页：断网时请从文件打开。'; });
  }
}

// Tests wait on this: the engine is ready and the kept profile is loaded.
window.fieldPage = createEngine().then(async (engine) => {
  setUpTabs();
  setUpLookup(engine);
  setUpStakes(engine);
  setUpCurve(engine);
  setUpOffline();
  await setUpFile(engine, () => {});
  return engine;
});
