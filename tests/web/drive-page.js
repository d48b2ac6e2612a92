// Opens a page in headless Chromium through its debugging pipe, waits until the page sets its
// title to "done", then writes what the page shows: the text of each <pre> as
// OUT.<id>.txt and a screenshot as OUT.png.
//   node drive-page.js CHROMIUM URL WIDTH HEIGHT OUT [SECONDS [EXPRESSION]]
// With EXPRESSION it waits for Hakoniwa.ready instead and prints the expression's value
// (bench/web measures the page so).
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");

const [chromium, url, width, height, out, seconds = "120", expression] = process.argv.slice(2);
const browser = spawn(chromium, ["--headless", "--no-sandbox", "--disable-gpu",
    "--hide-scrollbars", "--mute-audio", "--remote-debugging-pipe",
    `--window-size=${width},${height}`, "about:blank"],
    { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"] });
const toBrowser = browser.stdio[3];
const fromBrowser = browser.stdio[4];

let nextId = 1;
const waiting = new Map();
let buffered = "";
fromBrowser.on("data", (chunk) => {
    buffered += chunk.toString("utf8");
    let end;
    while ((end = buffered.indexOf("\0")) >= 0) {
        const message = JSON.parse(buffered.slice(0, end));
        buffered = buffered.slice(end + 1);
        if (message.id && waiting.has(message.id)) {
            const { resolve, reject } = waiting.get(message.id);
            waiting.delete(message.id);
            if (message.error) reject(new Error(JSON.stringify(message.error)));
            else resolve(message.result);
        }
    }
});

function send(method, params = {}, sessionId) {
    const id = nextId++;
    toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + "\0");
    return new Promise((resolve, reject) => waiting.set(id, { resolve, reject }));
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function main() {
    const { targetInfos } = await send("Target.getTargets");
    const page = targetInfos.find((target) => target.type === "page");
    const { sessionId } = await send("Target.attachToTarget",
        { targetId: page.targetId, flatten: true });
    const evaluate = async (expression) => (await send("Runtime.evaluate",
        { expression, returnByValue: true, awaitPromise: true }, sessionId)).result.value;
    await send("Emulation.setDeviceMetricsOverride", { width: Number(width),
        height: Number(height), deviceScaleFactor: 1, mobile: false }, sessionId);
    await send("Page.enable", {}, sessionId);
    await send("Page.navigate", { url }, sessionId);
    if (expression) {
        await evaluate("new Promise((resolve) => { const wait = () => window.Hakoniwa && " +
            "Hakoniwa.ready ? Hakoniwa.ready.then(resolve) : setTimeout(wait, 10); wait(); })");
        console.log(JSON.stringify(await evaluate(expression)));
        return;
    }
    const deadline = Date.now() + Number(seconds) * 1000;
    while ((await evaluate("document.title")) !== "done") {
        if (Date.now() > deadline) throw new Error("the page did not finish: " + url);
        await sleep(100);
    }
    const texts = await evaluate("Object.fromEntries([...document.querySelectorAll('pre')]" +
        ".map((pre) => [pre.id, pre.textContent]))");
    for (const [id, text] of Object.entries(texts)) fs.writeFileSync(`${out}.${id}.txt`, text);
    const shot = await send("Page.captureScreenshot", { format: "png" }, sessionId);
    fs.writeFileSync(`${out}.png`, Buffer.from(shot.data, "base64"));
}

main().then(() => { browser.kill(); process.exit(0); },
    (error) => { console.error(String(error)); browser.kill(); process.exit(1); });
