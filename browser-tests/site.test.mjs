// The generated site in Debian's headless Chromium: for the example business in every design and
// both order variants, every page loads from the output folder, every relative address on it is
// a file of the folder, the navigation reaches all six pages and the console stays quiet; the
// secure order form, filled in and submitted, reaches a stand-in of the partner's order script.
//
// Run by ctest through browser-tests/run, which provides:
//   VELMORA_BUILD_PROGRAM  the velmora-build program
//   VELMORA_SOURCE_DIR     the project's source folder
//   VELMORA_NODE_MODULES   the folder whose node_modules holds playwright-core
//   VELMORA_CHROMIUM       the Chromium program (default /usr/bin/chromium)
//   VELMORA_SCREENSHOTS    where the home page screenshots go
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { promisify } from 'node:util';
import { after, before, describe, test } from 'node:test';

import { Partner, secureServerName } from './partner.mjs';

const env = (name, fallback) => {
    const value = process.env[name] ?? fallback;
    if (value === undefined)
        throw new Error(`${name} is not set: run the browser tests through ctest (browser-tests/run)`);
    return value;
};
const buildProgram = env('VELMORA_BUILD_PROGRAM');
const sourceDir = env('VELMORA_SOURCE_DIR');
const chromiumProgram = env('VELMORA_CHROMIUM', '/usr/bin/chromium');
const screenshotDir = env('VELMORA_SCREENSHOTS');
const { chromium } = createRequire(path.join(env('VELMORA_NODE_MODULES'), 'package.json'))('playwright-core');

const example = JSON.parse(fs.readFileSync(path.join(sourceDir, 'examples/harbor-lane/state.json'), 'utf8'));
const secureDomain = /secureDomain = "([^"]+)"/.exec(
    fs.readFileSync(path.join(sourceDir, 'generator/SecureDomain.h'), 'utf8'))[1];
const secureHost = `${secureServerName}.${secureDomain}`;
const siteHost = example.siteUrl;                      // "www.harborlanesoap.com"
const stem = siteHost.slice(4, -4).replaceAll('.', ''); // "harborlanesoap"

// The designs: the three templates, the three button sets with the user's own colours, and text
// links. Each is built in both order variants.
const kDesigns = [
    { name: 'template-a', templateChoice: 'A', buttonChoice: '' },
    { name: 'template-b', templateChoice: 'B', buttonChoice: '' },
    { name: 'template-c', templateChoice: 'C', buttonChoice: '' },
    { name: 'buttons-a', templateChoice: '', buttonChoice: 'A' },
    { name: 'buttons-b', templateChoice: '', buttonChoice: 'B' },
    { name: 'buttons-c', templateChoice: '', buttonChoice: 'C' },
    { name: 'text-links', templateChoice: '', buttonChoice: 'D' },
    // A template with another set's buttons: its colours with set A's pictures.
    { name: 'template-b-buttons-a', templateChoice: 'B', buttonChoice: 'A' },
];
const kVariants = ['plain', 'secure'];

// The six pages the navigation links, in its order, with the titles they carry.
const kPages = [
    { file: 'index.html', title: example.pageTitle },
    { file: 'testimonials.html', title: 'Testimonials' },
    { file: 'features.html', title: 'Features' },
    { file: 'freq.html', title: 'Frequently Asked Questions' },
    { file: 'about.html', title: 'About the Company' },
    { file: 'order.html', title: 'order' },
];
const kSalesSlip = { file: 'saleslip.html', title: 'Sales Slip' };

// Everything on the pages that is not a file of the output folder, or said in the console, as the
// pages are meant to have it; each row with its reason. Every other address on a page must be
// relative and name a file of the folder that the browser shows, and the console must stay
// silent. Each address row must be found on each page it applies to, so the table cannot go
// stale. No broken picture is documented for a complete site: the one there was, a template B
// or C with set A's buttons naming "about.gif", is mended (CREATE copies set A's About picture
// under that name too), and its design is among those below.
const kExceptions = [
    {
        kind: 'address',
        what: 'order link of a hosting customer',
        applies: (c, page) => c.variant === 'secure' && !['order.html', 'saleslip.html'].includes(page),
        address: `https://${secureHost}/${stem}/order.html`,
        reason: "the order page is the copy on the partner's secure server, so card details travel encrypted",
    },
    {
        kind: 'address',
        what: 'order form and sales slip form',
        applies: (c, page) => c.variant === 'secure' && ['order.html', 'saleslip.html'].includes(page),
        address: `https://${secureHost}/cgi-${stem}/shop/boutique.cgi`,
        reason: "both post to the partner's order script",
    },
    {
        kind: 'address',
        what: '"Order Now" picture link',
        applies: (c, page) => c.variant === 'plain' && page === 'order.html' && c.templateChoice !== '',
        address: example.paymentLink,
        reason: "the user's own payment address; without a template the page has no Order Now cell",
    },
    // Console: none. Chromium reads every page, unclosed tags and all, without a word.
];
const outsideAddresses = (c, page) => kExceptions.filter((row) => row.kind === 'address' && row.applies(c, page));
const expectedInConsole = (line) => kExceptions.some((row) => row.kind === 'console' && row.pattern.test(line));

const kBrowserFlags = [
    '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-proxy-server',
];

// Runs a program without blocking this process, whose stand-in server it may be talking to.
async function run(program, args, cwd) {
    try {
        return (await promisify(execFile)(program, args, { cwd, encoding: 'utf8' })).stdout;
    } catch (e) {
        throw new Error(`${program} ${args.join(' ')} failed (${e.status}):\n${e.stdout}${e.stderr}`);
    }
}

// Builds the example in one design and variant into a fresh folder and returns the case.
async function buildCase(work, design, variant, partner) {
    const folder = path.join(work, `${design.name}-${variant}`);
    fs.mkdirSync(folder);
    const state = {
        ...example,
        picturePath: path.join(sourceDir, 'examples/harbor-lane', path.basename(example.picturePath)),
        hostingCustomer: variant === 'secure',
        buttonSet: { templateChoice: design.templateChoice, buttonChoice: design.buttonChoice },
    };
    fs.writeFileSync(path.join(folder, 'state.json'), JSON.stringify(state));
    const args = ['--state', 'state.json', '--out', 'site'];
    if (variant === 'secure')
        args.push('--connect-to', `${siteHost}:80:127.0.0.1:${partner.port}`);
    await run(buildProgram, args, folder);
    return { ...design, variant, label: `${design.name} ${variant}`, site: path.join(folder, 'site') };
}

function pagesOf(c) {
    return c.variant === 'secure' ? [...kPages, kSalesSlip] : kPages;
}

// Collects what a page says in the console, its script errors and its failed requests.
function listen(page, into) {
    page.on('console', (m) => into.push(`console ${m.type()}: ${m.text()}`));
    page.on('pageerror', (e) => into.push(`page error: ${e.message}`));
    page.on('requestfailed', (r) => into.push(`request failed: ${r.url()} ${r.failure()?.errorText}`));
}

const isAbsolute = (address) => /^[a-z][a-z0-9+.-]*:/i.test(address);

describe('the generated site in Chromium', () => {
    let work;
    let partner;
    let browser;
    const cases = [];

    before(async () => {
        work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-browser-'));
        partner = await new Partner({ secureHost, stem, site: null }).start();
        for (const design of kDesigns)
            for (const variant of kVariants)
                cases.push(await buildCase(work, design, variant, partner));
        browser = await chromium.launch({
            executablePath: chromiumProgram,
            headless: true,
            chromiumSandbox: false,
            args: [...kBrowserFlags, `--host-resolver-rules=MAP ${secureHost} 127.0.0.1:${partner.port}`],
        });
    });

    after(async () => {
        await browser?.close();
        await partner?.stop();
        if (work)
            fs.rmSync(work, { recursive: true, force: true });
    });

    // One browser context per case, with everything the console says collected.
    async function withPage(c, body) {
        const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
        const page = await context.newPage();
        const heard = [];
        listen(page, heard);
        partner.site = c.site;
        try {
            await body(page);
        } finally {
            await context.close();
        }
        const unexpected = heard.filter((line) => !expectedInConsole(line));
        assert.deepEqual(unexpected, [], `${c.label}: the console said more than the old markup must cause`);
    }

    test('every page loads, every address resolves and the console stays quiet', async () => {
        for (const c of cases) {
            await withPage(c, async (page) => {
                for (const { file, title } of pagesOf(c)) {
                    const where = `${c.label}, ${file}`;
                    await page.goto(`file://${c.site}/${file}`);
                    assert.equal(await page.title(), title, `${where}: title`);

                    const addresses = await page.$$eval('a[href], img[src], form[action]', (elements) =>
                        elements.map((e) => ({
                            tag: e.tagName.toLowerCase(),
                            address: e.getAttribute(e.tagName === 'A' ? 'href' : e.tagName === 'IMG' ? 'src' : 'action'),
                            decoded: e.tagName === 'IMG' ? e.complete && e.naturalWidth > 0 : null,
                        })));
                    const outside = outsideAddresses(c, file);
                    for (const { tag, address, decoded } of addresses) {
                        if (isAbsolute(address)) {
                            assert.ok(outside.some((row) => row.address === address),
                                `${where}: ${tag} ${address} leaves the folder`);
                            continue;
                        }
                        assert.ok(fs.existsSync(path.join(c.site, address)), `${where}: ${tag} ${address} is not a file of the folder`);
                        if (tag === 'img')
                            assert.ok(decoded, `${where}: picture ${address} is broken`);
                    }
                    for (const row of outside)
                        assert.ok(addresses.some((a) => a.address === row.address), `${where}: no ${row.what}`);
                }
            });
        }
    });

    // Entry k is clicked on the page that entry k - 1 led to, so the walk uses the navigation of
    // five different pages and ends on the order page.
    test('the navigation reaches all six pages', async () => {
        for (const c of cases) {
            await withPage(c, async (page) => {
                const reached = [];
                await page.goto(`file://${c.site}/index.html`);
                for (let entry = 0; entry < kPages.length; ++entry) {
                    const link = page.locator('a').nth(entry);
                    // The secure server's copy is reached over plain HTTP: only the scheme changes.
                    await link.evaluate((a) => a.setAttribute('href', a.getAttribute('href').replace(/^https:/, 'http:')));
                    await Promise.all([page.waitForEvent('load'), link.click()]);
                    const url = new URL(page.url());
                    const origin = url.protocol === 'file:' ? 'folder' : url.host;
                    reached.push(`${origin} ${path.basename(url.pathname)} ${await page.title()}`);
                }
                const order = c.variant === 'secure' ? `${secureHost} order.html` : 'folder order.html';
                assert.deepEqual(reached, [
                    ...kPages.slice(0, 5).map((p) => `folder ${p.file} ${p.title}`),
                    `${order} order`,
                ], `${c.label}: where the six navigation entries lead`);
            });
        }
    });

    test('the secure order form reaches the order script with every typed value', async () => {
        const typed = {
            Qty: '2',
            Name: 'Zoë Whitcomb',
            Addr: '14 Wharf Street, Apt 2 & 3',
            City: 'Rockland',
            State: 'ME',
            Zip: '04841',
            Country: 'United States',
            Phone: '+1 207 555 0142',
            Address2: 'zoe@example.com',
            cardno: '4111 1111 1111 1111',
            expdate: '12/29',
            cardname: 'Zoe A. Whitcomb',
        };
        // What the script receives: the typed values, the chosen payment and the page's hidden
        // fields as Chromium reads them (an unquoted value loses the blank before it; the quoted
        // ones keep every blank inside).
        const expected = {
            ...typed,
            Department: 'Sales',
            Prodno: 'A101',
            Price: example.price,
            Item: example.productName,
            Describe: example.productDescription,
            Info: '',
            Size: '',
            Weight: '',
            Payment: 'visa',
            Operation: 'final_confirm',
        };
        for (const c of cases.filter((c) => c.variant === 'secure')) {
            partner.orders = [];
            await withPage(c, async (page) => {
                await page.goto(`file://${c.site}/order.html`);
                await page.locator('form').evaluate((f) => f.setAttribute('action', f.getAttribute('action').replace(/^https:/, 'http:')));
                for (const [name, value] of Object.entries(typed))
                    await page.fill(`input[name="${name}"]`, value);
                await page.check('input[name="Payment"][value="visa"]');
                await Promise.all([page.waitForEvent('load'), page.click('input[type="submit"]')]);
                assert.equal(await page.title(), 'Order received', `${c.label}: the order script's answer`);
            });
            assert.equal(partner.orders.length, 1, `${c.label}: posts received`);
            const [order] = partner.orders;
            assert.equal(order.contentType, 'application/x-www-form-urlencoded', `${c.label}: content type`);
            const names = order.fields.map(([name]) => name);
            assert.deepEqual([...names].sort(), Object.keys(expected).sort(), `${c.label}: fields received`);
            assert.deepEqual(Object.fromEntries(order.fields), expected, `${c.label}: values received`);
        }
    });

    test('a screenshot of each design\'s home page', async () => {
        fs.mkdirSync(screenshotDir, { recursive: true });
        for (const c of cases.filter((c) => c.variant === 'plain')) {
            await withPage(c, async (page) => {
                await page.goto(`file://${c.site}/index.html`);
                await page.screenshot({ path: path.join(screenshotDir, `site-${c.name}.png`), fullPage: true });
            });
        }
    });
});
