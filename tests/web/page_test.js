// Drives the field page in headless Chromium and holds its results to the
// native vcurve-table's, byte for byte, for the same inputs.
//   node page_test.js PAGE.html NATIVE_TABLE EXAMPLES_DIR [--shots DIR] [--measure]
// PAGE.html is opened from file://, as a phone opens a copied file; the
// page folder beside it is also served over http once, for the offline cache.
'use strict';
const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const [pagePath, nativeTable, examples] = process.argv.slice(2);
const option = (name) => process.argv.indexOf(name);
const shots = option('--shots') > 0 ? process.argv[option('--shots') + 1] : null;
const measure = option('--measure') > 0;
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vcurve-page-'));
const road = path.join(examples, 'mountain-highway.csv');
const brokenRoad = path.join(examples, 'mountain-highway-chainage.csv');
const roadSections = path.join(examples, 'mountain-highway-sections.csv');

// The native program's output file for these arguments.
function nativeFile(args) {
  const out = path.join(work, 'native.csv');
  fs.rmSync(out, { force: true });
  spawnSync(nativeTable, [...args, '--output', out]);
  return fs.readFileSync(out);
}

let passed = 0, failed = 0;
async function check(name, body) {
  try {
    await body();
    ++passed;
    console.log('ok   ' + name);
  } catch (error) {
    ++failed;
    console.log('FAIL ' + name + '\n' + error.message);
  }
}

async function openPage(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 360, height: 740, deviceScaleFactor: 2 });
  await page.goto(url);
  await page.evaluate(() => window.fieldPage.then(() => true));
  return page;
}

async function tab(page, name) { await page.click(`nav button[data-tab=${name}]`); }

async function openProfile(page, file) {
  await tab(page, 'file');
  const input = await page.$('#profile-file');
  await input.uploadFile(file);
  await page.waitForFunction((name) => document.getElementById('road-name').textContent === name,
    {}, path.basename(file));
}

async function openSections(page, file) {
  await tab(page, 'file');
  // The name of the last one read stays on the page until another is read.
  await page.$eval('#sections-name', (e) => { e.textContent = ''; });
  const input = await page.$('#sections-file');
  await input.uploadFile(file);
  await page.waitForFunction((name) => document.getElementById('sections-name').textContent === name,
    {}, path.basename(file));
}

async function typeInto(page, selector, text) {
  await page.$eval(selector, (input) => { input.value = ''; });
  if (text) await page.type(selector, text);
}

const text = (page, selector) => page.$eval(selector, (e) => (e.hidden ? null : e.textContent));

async function stakeList(page, from, to, step, added) {
  await tab(page, 'stakes');
  await typeInto(page, '#stake-from', from);
  await typeInto(page, '#stake-to', to);
  await typeInto(page, '#stake-step', step);
  await typeInto(page, '#stake-added', added.join(' '));
  await page.click('#stake-form button[type=submit]');
}

// The CSV the 下载 CSV button saves, as bytes.
async function stakeDownload(page, from, to, step, added) {
  await stakeList(page, from, to, step, added);
  const folder = fs.mkdtempSync(path.join(work, 'download-'));
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  await page.click('#stake-save');
  const saved = path.join(folder, '逐桩高程.csv');
  for (let i = 0; i < 100 && !fs.existsSync(saved); ++i) await new Promise((r) => setTimeout(r, 50));
  return fs.readFileSync(saved);
}

async function lookup(page, station, measured) {
  await tab(page, 'lookup');
  await typeInto(page, '#station', station);
  await page.click('#lookup-form button');
  const answer = {
    problem: await text(page, '#lookup-problem'),
    design: await text(page, '#design'),
    grade: await text(page, '#grade'),
    element: await text(page, '#element'),
    station: await text(page, '#field-station'),
  };
  answer.edges = await text(page, '#edges') === null ? null
    : [await text(page, '#edge-left'), await text(page, '#edge-right')];
  if (measured !== undefined) {
    await typeInto(page, '#measured', measured);
    await page.click('#fill-form button');
    answer.fill = await text(page, '#fill-amount');
  }
  return answer;
}

// One press of 计 算 per station, as a surveyor does it.
async function curveLines(page, kind, values, stations) {
  await tab(page, 'curve');
  await page.click(`#curve-form input[value=${kind}]`);
  for (let i = 0; i < 6; ++i) await typeInto(page, `[data-field="${i}"]`, values[i]);
  for (const station of stations) {
    await typeInto(page, '[data-field="6"]', station);
    await page.click('#curve-calculate');
  }
  return page.$$eval('#curve-lines li', (items) => items.map((li) => li.textContent + '\n').join(''));
}

function nativeCurve(kind, values, stations) {
  const names = ['--pvi', '--tangent', '--radius', '--elevation', '--g1', '--g2'];
  const args = ['--type', kind, ...names.flatMap((name, i) => [name, values[i]]),
    ...stations.flatMap((s) => ['--at', s])];
  return execFileSync(nativeTable, args, { encoding: 'utf8' });
}

// The page folder over http: what installing it as an app caches.
function serve(folder) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
    '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname.slice(1)) || 'index.html';
    const file = path.join(folder, path.basename(name));
    if (!fs.existsSync(file)) { response.writeHead(404).end(); return; }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'text/plain' });
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function main() {
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--headless=new', '--lang=zh-CN'],
  });
  const url = 'file://' + path.resolve(pagePath);
  let page = await openPage(browser, url);
  await openProfile(page, road);

  await check('the whole stake table of a road is the native CSV', async () => {
    assert.deepEqual(await stakeDownload(page, '', '', '', []),
      nativeFile(['--profile', road, '--format', 'csv']));
  });
  await check('a range with added stations is the native CSV', async () => {
    const added = ['K0+135', 'K3+333.333', '6630'];
    assert.deepEqual(await stakeDownload(page, 'K0+400', 'K3+400', '7.5', added),
      nativeFile(['--profile', road, '--format', 'csv', '--from', 'K0+400', '--to', 'K3+400',
        '--step', '7.5', ...added.flatMap((s) => ['--at', s])]));
  });

  await check('路肩 elevations with sections are the native edge columns', async () => {
    await openSections(page, roadSections);
    // In a transition, in full superelevation (each way) and in normal crown.
    const stations = ['K0+540.000', 'K0+600.000', 'K1+700.000', 'K3+000.000'];
    const rows = nativeFile(['--profile', road, '--sections', roadSections, '--edge-columns',
      '--format', 'csv', ...stations.flatMap((s) => ['--at', s])]).toString('utf8')
      .trim().split('\r\n').slice(1).map((row) => row.split(','));
    for (const row of rows) {
      const got = await lookup(page, row[2]);
      assert.deepEqual(got.edges, [row[7], row[8]], row[2]);
    }
    // Held at the subgrade edge, 挂线 gives the edge's elevation; away
    // from any curve (no widening) it is 5 m out on either side.
    for (const [station, side, column] of [['K3+000', '-', 7], ['K3+000', '+', 8], ['K1+700', '+', 8]]) {
      await page.select('#offset-side', side);
      await typeInto(page, '#offset', '5');
      await lookup(page, station, '800');
      const row = rows.find((r) => r[2].startsWith(station));
      assert.match(await text(page, '#fill-of'), new RegExp(' 5\\.000 m 设计 ' + row[column] + '$'));
    }
    await typeInto(page, '#offset', '');
  });
  await check('the sections are kept with the profile and dropped with another one', async () => {
    await page.reload();
    await page.evaluate(() => window.fieldPage.then(() => true));
    assert.equal(await text(page, '#sections-name'), path.basename(roadSections));
    assert.ok((await lookup(page, 'K0+600')).edges);
    await openProfile(page, brokenRoad);
    assert.equal((await lookup(page, 'K0+600')).edges, null);
    await page.reload();
    await page.evaluate(() => window.fieldPage.then(() => true));
    assert.equal(await text(page, '#sections-facts'), null);
  });

  await openProfile(page, brokenRoad);
  await check('with 断链: the whole table and a range across a 长链', async () => {
    assert.deepEqual(await stakeDownload(page, '', '', '', []),
      nativeFile(['--profile', brokenRoad, '--format', 'csv']));
    assert.deepEqual(await stakeDownload(page, 'K1+700', 'K4+300', '10', ['K1+795(1)']),
      nativeFile(['--profile', brokenRoad, '--format', 'csv', '--from', 'K1+700', '--to',
        'K4+300', '--step', '10', '--at', 'K1+795(1)']));
  });
  await check('a range from a 短链 gap is refused as the native program refuses it', async () => {
    await stakeList(page, 'K4+205', 'K4+300', '20', []);
    const native = spawnSync(nativeTable, ['--profile', brokenRoad, '--from', 'K4+205', '--to',
      'K4+300', '--step', '20'], { encoding: 'utf8' });
    const problem = await text(page, '#stake-problem');
    assert.ok(problem && native.stderr.includes(problem), problem + ' | ' + native.stderr);
  });

  await check('elevation, grade, element and 填挖 at field stations', async () => {
    const stations = ['K0+000', 'K0+420', 'K1+795(1)', 'K1+795(2)', 'K2+000',
      'K4+200', 'K4+215.5', 'k5+167.850', '6637.85'];
    const rows = nativeFile(['--profile', brokenRoad, '--format', 'csv',
      ...stations.flatMap((s) => ['--at', s])]).toString('utf8').trim().split('\r\n').slice(1);
    const byStation = new Map(rows.map((row) => [row.split(',')[2], row.split(',')]));
    for (const station of stations) {
      const measured = '860.1235';
      const got = await lookup(page, station, measured);
      const row = byStation.get(got.station);
      assert.ok(row, station + ' → ' + JSON.stringify(got));
      assert.equal(got.design, Number(row[3]).toFixed(3), station);
      assert.equal(got.element, row[5], station);
      assert.ok(Math.abs(Number(got.grade) - Number(row[4])) <= 0.005, station);
      // From the printed millimetres; the measured one rounds half to even.
      const mm = Math.round(Number(got.design) * 1000) - 860124;
      assert.equal(got.fill, (mm >= 0 ? '填 ' : '挖 ') + (Math.abs(mm) / 1000).toFixed(3), station);
    }
  });
  await check('a station the road does not have says why', async () => {
    for (const station of ['K1+795', 'K4+205', 'K9+000', 'K1+2345']) {
      const got = await lookup(page, station);
      const answered = await text(page, '#lookup-answer');
      assert.ok(got.problem && answered === null, station + ' → ' + JSON.stringify(got));
    }
  });

  // Both kinds of curve, from a fresh page each: the window numbers on.
  const curves = [
    ['convex', ['5030', '60', '3000', '100', '2.5', '1.5'], ['4970', '5000', '5010.25', '5030', '5090']],
    ['concave', ['1234.567', '85.25', '6500', '456.789', '1.234', '2.5'],
      ['1149.317', '1200.1', '1234.567', '1300', '1319.817']],
  ];
  for (const [kind, values, stations] of curves) {
    await check(`the one-curve calculator's ${kind} lines are the native ones`, async () => {
      await page.close();
      page = await openPage(browser, url);
      assert.equal(await curveLines(page, kind, values, stations), nativeCurve(kind, values, stations));
    });
  }
  await check('the kept profile is there after a reload', async () => {
    assert.equal(await text(page, '#road-name'), path.basename(brokenRoad));
  });

  await check('over http the page caches itself for use offline', async () => {
    const server = await serve(path.join(path.dirname(pagePath), 'page'));
    const served = await browser.newPage();
    await served.goto(`http://127.0.0.1:${server.address().port}/index.html`);
    await served.evaluate(() => window.fieldPage.then(() => true));
    const cached = await served.evaluate(async () => {
      await navigator.serviceWorker.ready;
      const cache = await caches.open((await caches.keys())[0]);
      return (await cache.keys()).length;
    });
    await served.close();
    server.close();
    assert.equal(cached, 7);
  });

  if (shots) await screenshots(page, shots);
  if (measure) await timeLookups(page);
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
  console.log(`field page: ${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

async function screenshots(page, folder) {
  await openProfile(page, road);
  await openSections(page, roadSections);
  await tab(page, 'lookup');
  await page.select('#offset-side', '+');
  await typeInto(page, '#offset', '3.5');
  await lookup(page, 'K0+600', '834.6');
  await page.screenshot({ path: path.join(folder, 'field-page-lookup.png') });
  await typeInto(page, '#offset', '');
  await openProfile(page, brokenRoad);
  await stakeDownload(page, 'K1+700', 'K1+900', '20', ['K1+795(1)']);
  await page.screenshot({ path: path.join(folder, 'field-page-stakes.png') });
  await page.reload();
  await page.evaluate(() => window.fieldPage.then(() => true));
  await curveLines(page, 'convex', curves0[0], curves0[1]);
  await page.evaluate(() => window.scrollTo(0, 0));
  await page.screenshot({ path: path.join(folder, 'field-page-curve.png') });
  await page.setViewport({ width: 1280, height: 800 });
  await lookup(page, 'K2+000', '859.1');
  await page.screenshot({ path: path.join(folder, 'field-page-desktop.png') });
  await page.setViewport({ width: 360, height: 740, deviceScaleFactor: 2 });
}
const curves0 = [['5030', '60', '3000', '100', '2.5', '1.5'], ['5000', '5010.25', '5030']];

// A lookup on a phone-class CPU: from the press to the answer on the page.
async function timeLookups(page) {
  const session = await page.createCDPSession();
  await session.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  await tab(page, 'lookup');
  const times = await page.evaluate(async () => {
    const form = document.getElementById('lookup-form');
    const input = document.getElementById('station');
    const took = [];
    for (let i = 0; i < 200; ++i) {
      input.value = 'K' + Math.floor(i * 31 / 1000) + '+' + String((i * 31) % 1000).padStart(3, '0');
      const start = performance.now();
      form.requestSubmit();
      document.getElementById('design').getBoundingClientRect();  // laid out
      took.push(performance.now() - start);
    }
    return took.sort((a, b) => a - b);
  });
  console.log(`lookup at 4x CPU throttling: median ${times[100].toFixed(2)} ms, ` +
    `slowest ${times[199].toFixed(2)} ms of 200`);
}

main().catch((error) => { console.error(error); process.exit(1); });
