// The web page's host around the game's runtime (WebGame.cpp compiled to WebAssembly): it
// writes the embedded files into the runtime's file system, draws each frame's picture on the
// canvas, feeds keys and mouse, plays sounds with Web Audio, asks names and answers the
// question before ending the game.
//
// Test controls in the address: ?frames=N&seed=S&keys=SCRIPT runs N frames at once with the
// key script (the desktop player's format), draws the last frame and writes the variables and
// the images shown into the page's pre elements; window.Hakoniwa offers the same as functions
// (and firstFrameAt, the page time in ms when the first frame was drawn).
"use strict";
(function () {
    const kRoot = "/hakoniwa/";
    const kFramesPerSecond = 60;
    const kMostFramesAtOnce = 4;
    const kFadeSeconds = 1;
    const kBackgrounds = ["rgb(0,0,0)", "rgb(255,255,255)", "rgb(135,200,240)",
        "rgb(110,175,75)", "rgb(240,130,70)"];
    const kTextColours = ["rgb(255,255,255)", "rgb(0,0,0)", "rgb(225,30,40)",
        "rgb(40,90,230)", "rgb(250,215,30)"];
    const kFontFamilies = '"IPAGothic", "IPAPGothic", "IPAexGothic", "Noto Sans CJK JP", ' +
        '"Hiragino Sans", "Yu Gothic", "Meiryo", sans-serif';
    const kKeys = { ArrowUp: 0, ArrowDown: 1, ArrowLeft: 2, ArrowRight: 3, Enter: 4,
        NumpadEnter: 4, Space: 4, KeyZ: 4, KeyX: 5, Backspace: 5 };
    const kQuitQuestion = "ゲームを終了しますか？";

    const canvas = document.getElementById("screen");
    const context = canvas.getContext("2d", { alpha: false });
    const nameEntry = document.getElementById("name-entry");
    const namePrompt = document.getElementById("name-prompt");
    const nameField = document.getElementById("name-field");
    const game = JSON.parse(document.getElementById("hakoniwa-game").textContent);
    const images = new Map(); // path in the file system -> decoded image
    const soundBytes = new Map(); // path -> the file's bytes
    const soundBuffers = new Map(); // path -> promise of the decoded AudioBuffer
    let runtime = null;
    let audio = null;
    let music = null; // { source, gain }
    let frameBase = 0; // ms of page time before frame 0
    let framesRun = 0;
    let state = 0; // 0 running, 1 finished, 2 stopped with an error

    function bytesOf(base64) {
        const text = atob(base64);
        const bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
        return bytes;
    }

    // Only PNG and BMP are images, as the desktop player decides from the content.
    function isImage(bytes) {
        return (bytes[0] === 0x89 && bytes[1] === 0x50 && bytes[2] === 0x4E && bytes[3] === 0x47) ||
            (bytes[0] === 0x42 && bytes[1] === 0x4D);
    }

    async function writeFiles() {
        const pending = [];
        for (const [name, base64] of game.files) {
            const path = kRoot + name;
            const bytes = bytesOf(base64);
            runtime.FS.mkdirTree(path.substring(0, path.lastIndexOf("/")));
            runtime.FS.writeFile(path, bytes);
            soundBytes.set(path, bytes);
            if (isImage(bytes))
                pending.push(createImageBitmap(new Blob([bytes]))
                    .then((image) => images.set(path, image), () => {}));
        }
        await Promise.all(pending);
    }

    // Sounds -----------------------------------------------------------------------------
    function audioContext() {
        if (!audio && window.AudioContext) audio = new AudioContext();
        return audio;
    }

    function soundBuffer(path) {
        if (!soundBuffers.has(path)) {
            const bytes = soundBytes.get(path);
            soundBuffers.set(path, !bytes ? Promise.reject(new Error(path)) :
                audioContext().decodeAudioData(bytes.slice().buffer));
        }
        return soundBuffers.get(path);
    }

    function play(path, volume, loop) {
        const context = audioContext();
        if (!context) return null;
        const gain = context.createGain();
        gain.gain.value = Math.min(Math.max(volume, 0), 100) / 100;
        gain.connect(context.destination);
        const voice = { source: null, gain: gain, stopped: false };
        soundBuffer(path).then((buffer) => {
            if (voice.stopped) return;
            voice.source = context.createBufferSource();
            voice.source.buffer = buffer;
            voice.source.loop = loop;
            voice.source.connect(gain);
            voice.source.start();
        }, () => {});
        return voice;
    }

    function stopVoice(voice, fadeOut) {
        if (!voice) return;
        voice.stopped = true;
        if (!voice.source) return;
        if (!fadeOut) { voice.source.stop(); return; }
        const now = audio.currentTime;
        voice.gain.gain.setValueAtTime(voice.gain.gain.value, now);
        voice.gain.gain.linearRampToValueAtTime(0, now + kFadeSeconds);
        voice.source.stop(now + kFadeSeconds);
    }

    // What the runtime asks of the page (called from WebGame.cpp) -------------------------
    const Hakoniwa = window.Hakoniwa = {
        imageSize(path) {
            const image = images.get(path);
            return image ? image.width * 65536 + image.height : -1;
        },
        playEffect(path, volume) { play(path, volume, false); },
        playMusic(path, volume) {
            stopVoice(music, false);
            music = play(path, volume, true);
        },
        stopMusic(fadeOut) {
            stopVoice(music, fadeOut);
            music = null;
        },
        askName(prompt) {
            namePrompt.textContent = prompt;
            nameField.value = "";
            // Centred near the game's bottom edge, as in the desktop window.
            const area = canvas.getBoundingClientRect();
            const width = Math.min(area.width - 20, 420);
            nameEntry.style.width = width - 16 + "px";
            nameEntry.style.left = area.left + window.scrollX + (area.width - width) / 2 + "px";
            nameEntry.style.top = area.bottom + window.scrollY - 80 + "px";
            nameEntry.hidden = false;
            nameField.focus();
        },
        confirmQuit() {
            const asked = performance.now();
            const yes = window.confirm(kQuitQuestion);
            // The time spent on the question is no game time.
            frameBase += performance.now() - asked;
            return yes;
        },
    };

    // Drawing ----------------------------------------------------------------------------
    const pathNames = []; // the runtime's path numbers -> paths

    // The last frame's picture: {w, h, bg, images: [[path, x, y]...], texts: [[text, x, y,
    // colour]...]}. The images come from the runtime's memory, as numbers: no text to parse.
    function pictureNow() {
        const picture = JSON.parse(runtime.UTF8ToString(runtime._hkPicture()));
        const at = runtime._hkShownImages() >> 2;
        const shown = runtime.HEAP32.subarray(at + 1, at + 1 + 3 * runtime.HEAP32[at]);
        picture.images = [];
        for (let i = 0; i < shown.length; i += 3) {
            const number = shown[i];
            if (pathNames[number] === undefined)
                pathNames[number] = runtime.UTF8ToString(runtime._hkPathOf(number));
            picture.images.push([pathNames[number], shown[i + 1], shown[i + 2]]);
        }
        return picture;
    }

    function draw() {
        if (Hakoniwa.firstFrameAt === undefined) Hakoniwa.firstFrameAt = performance.now();
        const picture = pictureNow();
        if (picture.w === undefined) return;
        if (canvas.width !== picture.w || canvas.height !== picture.h) {
            canvas.width = picture.w;
            canvas.height = picture.h;
        }
        context.fillStyle = kBackgrounds[picture.bg] || kBackgrounds[0];
        context.fillRect(0, 0, canvas.width, canvas.height);
        for (const [path, x, y] of picture.images) {
            const image = images.get(path);
            if (image) context.drawImage(image, x, y);
        }
        context.font = "20px " + kFontFamilies;
        context.textBaseline = "top";
        for (const [text, x, y, colour] of picture.texts) {
            context.fillStyle = kTextColours[colour] || kTextColours[0];
            context.fillText(text, x, y);
        }
        if (state === 2) drawError();
    }

    // Wraps anywhere, as the desktop panel does for long reasons.
    function wrapped(line, width) {
        const pieces = [];
        let piece = "";
        for (const character of line) {
            if (piece && context.measureText(piece + character).width > width) {
                pieces.push(piece);
                piece = "";
            }
            piece += character;
        }
        pieces.push(piece);
        return pieces;
    }

    // The desktop player's error panel: a dimmed frame, a dark red panel with a title.
    function drawError() {
        const lines = runtime.UTF8ToString(runtime._hkErrorLines()).split("\n").slice(0, -1);
        const margin = 12;
        const size = canvas.width < 400 ? 12 : 16;
        context.font = size + "px " + kFontFamilies;
        context.textBaseline = "top";
        const lineHeight = Math.ceil(size * 1.15);
        const width = Math.max(40, canvas.width - 2 * margin);
        const boxes = lines.map((line) => wrapped(line, width - 2 * margin));
        let height = margin;
        for (const box of boxes) height += box.length * lineHeight + 4;
        height += margin;
        const top = Math.max(0, Math.floor((canvas.height - height) / 2));
        context.fillStyle = "rgba(0,0,0,0.43)";
        context.fillRect(0, 0, canvas.width, canvas.height);
        context.fillStyle = "rgba(90,0,0,0.86)";
        context.fillRect(margin, top, width, height);
        context.strokeStyle = "rgb(255,90,90)";
        context.strokeRect(margin + 0.5, top + 0.5, width - 1, height - 1);
        let y = top + margin;
        boxes.forEach((box, i) => {
            context.fillStyle = i === 0 ? "rgb(255,220,90)" : "rgb(255,255,255)";
            for (const piece of box) {
                context.fillText(piece, 2 * margin, y);
                y += lineHeight;
            }
            y += 4;
        });
    }

    // Input ------------------------------------------------------------------------------
    function toGame(event) {
        const area = canvas.getBoundingClientRect();
        const x = Math.floor((event.clientX - area.left) * canvas.width / area.width);
        const y = Math.floor((event.clientY - area.top) * canvas.height / area.height);
        return [Math.min(Math.max(x, 0), canvas.width - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
    }

    function listen() {
        const key = (down) => (event) => {
            if (!nameEntry.hidden) return;
            // Escape asks to end the game, as the desktop window does; a page cannot close
            // itself, so the game stops where it is.
            if (event.code === "Escape" && down && !event.repeat && state === 0) {
                if (Hakoniwa.confirmQuit()) state = 1;
                return;
            }
            if (!(event.code in kKeys)) return;
            event.preventDefault();
            if (audio) audio.resume();
            if (!event.repeat) runtime._hkSetKey(kKeys[event.code], down ? 1 : 0);
        };
        window.addEventListener("keydown", key(true));
        window.addEventListener("keyup", key(false));
        window.addEventListener("blur", () => runtime._hkReleaseAll());
        const mouse = (button, down) => (event) => {
            const [x, y] = toGame(event);
            runtime._hkMoveMouse(x, y);
            if (button === undefined) return;
            if (event.button !== 0 && event.button !== 2) return;
            if (audio) audio.resume();
            runtime._hkSetButton(event.button === 0 ? 1 : 2, down ? 1 : 0);
            canvas.focus();
        };
        canvas.addEventListener("mousemove", mouse());
        canvas.addEventListener("mousedown", mouse(true, true));
        window.addEventListener("mouseup", mouse(true, false));
        canvas.addEventListener("contextmenu", (event) => event.preventDefault());
        nameField.addEventListener("keydown", (event) => {
            if (event.key !== "Enter" || event.isComposing) return;
            event.preventDefault();
            runtime.ccall("hkEnterName", null, ["string"], [nameField.value]);
            nameEntry.hidden = true;
            canvas.focus();
        });
    }

    // Frames: as many as the clock says are due (at most a few at once), then one drawing.
    function tick(now) {
        const due = Math.floor((now - frameBase) * kFramesPerSecond / 1000) + 1;
        if (due - framesRun > kMostFramesAtOnce) framesRun = due - kMostFramesAtOnce;
        let ran = false;
        while (framesRun < due && state === 0) {
            state = runtime._hkRunFrame();
            ++framesRun;
            ran = true;
        }
        if (ran) draw();
        if (state === 0) requestAnimationFrame(tick);
        else if (state === 1) Hakoniwa.stopMusic(false);
    }

    function start(seed) {
        state = runtime.ccall("hkStart", "number", ["string", "string", "string", "number"],
            [kRoot + game.project, kRoot + game.vocabulary, kRoot + game.folder, seed]);
    }

    // Runs `frames` frames at once as the desktop player's headless run does.
    function runHeadless(keys, frames) {
        const failure = runtime.ccall("hkRunHeadless", "string", ["string", "number"],
            [keys, frames]);
        state = runtime._hkState();
        draw();
        return failure;
    }

    // Kept hidden, so that the canvas stays where it is; tests read the text.
    function show(id, text) {
        document.getElementById(id).textContent = text;
    }

    Hakoniwa.ready = createHakoniwaRuntime().then(async (module) => {
        runtime = module;
        await writeFiles();
        const params = new URLSearchParams(location.search);
        const seed = Number(params.get("seed") || 1) >>> 0;
        start(seed);
        Object.assign(Hakoniwa, {
            restart: start,
            runHeadless: runHeadless,
            // One frame with the input as it stands, drawn; the game's state after it.
            step: () => {
                state = runtime._hkRunFrame();
                draw();
                return state;
            },
            dumpVariables: () => runtime.UTF8ToString(runtime._hkDumpVariables()),
            picture: pictureNow,
            errorMessage: () => runtime.UTF8ToString(runtime._hkErrorMessage()),
        });
        if (params.has("frames")) {
            const failure = state === 0 ? runHeadless(params.get("keys") || "",
                Number(params.get("frames"))) : "";
            if (state === 2) draw();
            show("hakoniwa-dump", Hakoniwa.dumpVariables());
            show("hakoniwa-error", failure || Hakoniwa.errorMessage());
            // Where each image is drawn, one per line: "path x y width height".
            show("hakoniwa-images", Hakoniwa.picture().images.map(([path, x, y]) => {
                const image = images.get(path);
                return [path, x, y, image ? image.width : 0, image ? image.height : 0].join(" ");
            }).join("\n"));
            document.title = "done";
            return;
        }
        if (state === 2) { draw(); return; }
        listen();
        canvas.focus();
        requestAnimationFrame((now) => {
            frameBase = now;
            tick(now);
        });
    });
})();
