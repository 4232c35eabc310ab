// A local stand-in for the servers a hosting customer's site talks to, on 127.0.0.1, plain HTTP:
// - the customer's own web site, whose /faq.html carries the partner's note naming the secure
//   server (velmora-build reaches it through --connect-to);
// - the partner's secure server (Chromium reaches it through --host-resolver-rules): the copy of
//   the site under /<stem>/, and the order script /cgi-<stem>/shop/boutique.cgi, which records
//   every post it receives.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

export const secureServerName = 'secure7';

export function faqPage(secureHost) {
    return '<html><body>\n' +
        'Use the following url to access your pages via the secure server.\n' +
        '<br>\n' +
        '<p>\n' +
        `     https://${secureHost}/~harbor/\n` +
        '</body></html>\n';
}

const kTypes = { '.html': 'text/html', '.gif': 'image/gif' };

// Decodes an application/x-www-form-urlencoded body as the order script would: bytes as
// Windows-1252 (the pages' character set), '+' as a blank. Returns [name, value] pairs in order.
export function decodeForm(body) {
    if (body.length === 0)
        return [];
    // Each byte becomes the character of that code; the tests type nothing from 0x80-0x9F,
    // where Windows-1252 and Latin-1 differ.
    const decode = (text) => text.replace(/\+/g, ' ')
        .replace(/%([0-9A-Fa-f]{2})/g, (_, hex) => String.fromCharCode(parseInt(hex, 16)));
    return body.split('&').map((pair) => {
        const eq = pair.indexOf('=');
        return eq < 0 ? [decode(pair), ''] : [decode(pair.slice(0, eq)), decode(pair.slice(eq + 1))];
    });
}

export class Partner {
    // `site` is the folder of the generated site, served as the secure copy under /<stem>/.
    constructor({ secureHost, stem, site }) {
        this.secureHost = secureHost;
        this.stem = stem;
        this.site = site;
        this.orders = [];
        this.requests = [];
        this.server = http.createServer((req, res) => this.#answer(req, res));
    }

    async start() {
        await new Promise((resolve) => this.server.listen(0, '127.0.0.1', resolve));
        this.port = this.server.address().port;
        return this;
    }

    async stop() {
        this.server.closeAllConnections();
        await new Promise((resolve) => this.server.close(resolve));
    }

    #answer(req, res) {
        const chunks = [];
        req.on('data', (chunk) => chunks.push(chunk));
        req.on('end', () => {
            const url = new URL(req.url, 'http://stand-in');
            this.requests.push(`${req.method} ${req.headers.host}${url.pathname}`);
            if (req.method === 'GET' && url.pathname === '/faq.html') {
                res.writeHead(200, { 'Content-Type': 'text/html' });
                res.end(faqPage(this.secureHost));
                return;
            }
            if (req.method === 'POST' && url.pathname === `/cgi-${this.stem}/shop/boutique.cgi`) {
                const body = Buffer.concat(chunks).toString('latin1');
                this.orders.push({ contentType: req.headers['content-type'], fields: decodeForm(body) });
                res.writeHead(200, { 'Content-Type': 'text/html' });
                res.end('<html><head><title>Order received</title></head><body>Thank you</body></html>');
                return;
            }
            // Chromium asks every server for its icon; a real one would have one.
            if (req.method === 'GET' && url.pathname === '/favicon.ico') {
                res.writeHead(204);
                res.end();
                return;
            }
            const prefix = `/${this.stem}/`;
            if (req.method === 'GET' && url.pathname.startsWith(prefix)) {
                const name = url.pathname.slice(prefix.length);
                const file = path.join(this.site, name);
                if (!name.includes('/') && fs.existsSync(file)) {
                    res.writeHead(200, { 'Content-Type': kTypes[path.extname(name)] ?? 'application/octet-stream' });
                    res.end(fs.readFileSync(file));
                    return;
                }
            }
            res.writeHead(404, { 'Content-Type': 'text/plain' });
            res.end('not here');
        });
    }
}
