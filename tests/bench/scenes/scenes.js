// Scenes of fixed complexity: the same elements, the same random choices
// (a seeded generator) and the same motion in every run, so two browsers
// showing one scene in equal viewports do the same work per frame. Each
// scene builds itself into the stage and returns its per-frame step(t).
const Scenes = (function () {
    function random(seed) {
        return function () {
            seed |= 0;
            seed = (seed + 0x6d2b79f5) | 0;
            let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
            t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
            return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
        };
    }

    function canvas(stage, width, height) {
        const c = document.createElement('canvas');
        c.width = width;
        c.height = height;
        stage.appendChild(c);
        return c.getContext('2d');
    }

    function colour(rnd, alpha) {
        return 'hsla(' + Math.floor(rnd() * 360) + ',' + (50 + Math.floor(rnd() * 50)) + '%,' +
               (35 + Math.floor(rnd() * 30)) + '%,' + alpha + ')';
    }

    // Rounded tiles in a grid, each turned and scaled by CSS transforms.
    function multiply(stage, width, height) {
        const rnd = random(1);
        const cols = 20, rows = 12;
        const w = width / cols, h = height / rows;
        const tiles = [];
        for (let r = 0; r < rows; ++r)
            for (let c = 0; c < cols; ++c) {
                const el = document.createElement('div');
                el.style.cssText = 'position:absolute;border-radius:22%;left:' + (c * w + w * 0.1) +
                                   'px;top:' + (r * h + h * 0.1) + 'px;width:' + w * 0.8 +
                                   'px;height:' + h * 0.8 + 'px;background:' + colour(rnd, 0.85) +
                                   ';box-shadow:0 0 3px rgba(0,0,0,0.4)';
                stage.appendChild(el);
                tiles.push({ el, speed: 0.5 + rnd() * 2, phase: rnd() * 6.28 });
            }
        return function (t) {
            const s = t / 1000;
            for (const tile of tiles) {
                const a = s * tile.speed + tile.phase;
                tile.el.style.transform =
                    'rotate(' + a.toFixed(3) + 'rad) scale(' + (0.7 + 0.3 * Math.sin(a)).toFixed(3) + ')';
                tile.el.style.opacity = (0.5 + 0.5 * Math.abs(Math.cos(a))).toFixed(2);
            }
        };
    }

    // Arcs of many radii, widths and colours turning about a grid of centres.
    function arcs(stage, width, height) {
        const rnd = random(2);
        const ctx = canvas(stage, width, height);
        const items = [];
        for (let i = 0; i < 160; ++i)
            items.push({
                x: rnd() * width, y: rnd() * height, r: 10 + rnd() * 90, len: 0.5 + rnd() * 4.5,
                width: 1 + rnd() * 14, speed: (rnd() - 0.5) * 4, start: rnd() * 6.28,
                colour: colour(rnd, 0.8), fill: rnd() < 0.2
            });
        return function (t) {
            const s = t / 1000;
            ctx.clearRect(0, 0, width, height);
            for (const a of items) {
                const from = a.start + s * a.speed;
                ctx.beginPath();
                ctx.arc(a.x, a.y, a.r, from, from + a.len);
                if (a.fill) {
                    ctx.fillStyle = a.colour;
                    ctx.fill();
                } else {
                    ctx.lineWidth = a.width;
                    ctx.strokeStyle = a.colour;
                    ctx.stroke();
                }
            }
        };
    }

    // Thousands of short strokes, each its own path and colour, following
    // points that wander on circles.
    function lines(stage, width, height) {
        const rnd = random(3);
        const ctx = canvas(stage, width, height);
        ctx.lineCap = 'round';
        const points = [];
        for (let i = 0; i < 1200; ++i)
            points.push({
                x: rnd() * width, y: rnd() * height, r: 5 + rnd() * 40, speed: (rnd() - 0.5) * 3,
                phase: rnd() * 6.28, width: 0.5 + rnd() * 3, colour: colour(rnd, 0.9)
            });
        return function (t) {
            const s = t / 1000;
            ctx.clearRect(0, 0, width, height);
            let px = width / 2, py = height / 2;
            for (const p of points) {
                const a = p.phase + s * p.speed;
                const x = p.x + Math.cos(a) * p.r, y = p.y + Math.sin(a) * p.r;
                ctx.beginPath();
                ctx.moveTo(px, py);
                ctx.lineTo(x, y);
                ctx.lineWidth = p.width;
                ctx.strokeStyle = p.colour;
                ctx.stroke();
                px = x;
                py = y;
            }
        };
    }

    // Text of mixed scripts and sizes laid out as a page, every block
    // turned, scaled and faded by CSS transforms.
    function design(stage, width, height) {
        const rnd = random(4);
        const words = ['星帆', '游戏', 'Portal', '大厅', 'Quest', '冒险', 'Arena', '排行榜',
                       'Level 42', '开始游戏', 'Score', '好友在线'];
        const blocks = [];
        for (let i = 0; i < 120; ++i) {
            const el = document.createElement('div');
            let text = '';
            for (let k = 0, n = 1 + Math.floor(rnd() * 4); k < n; ++k)
                text += words[Math.floor(rnd() * words.length)] + ' ';
            el.textContent = text;
            el.style.cssText = 'position:absolute;white-space:nowrap;left:' + rnd() * width * 0.9 +
                               'px;top:' + rnd() * height * 0.95 + 'px;font:' +
                               (rnd() < 0.3 ? 'bold ' : '') + (10 + Math.floor(rnd() * 30)) +
                               'px sans-serif;color:' + colour(rnd, 1) + ';text-shadow:1px 1px 0 ' +
                               colour(rnd, 0.5);
            stage.appendChild(el);
            blocks.push({ el, speed: (rnd() - 0.5) * 2, phase: rnd() * 6.28 });
        }
        return function (t) {
            const s = t / 1000;
            for (const b of blocks) {
                const a = b.phase + s * b.speed;
                b.el.style.transform = 'rotate(' + (Math.sin(a) * 0.6).toFixed(3) + 'rad) scale(' +
                                       (0.8 + 0.3 * Math.cos(a)).toFixed(3) + ')';
                b.el.style.opacity = (0.4 + 0.6 * Math.abs(Math.sin(a * 0.7))).toFixed(2);
            }
        };
    }

    // SVG paths of cubic curves, filled and stroked, reshaped every frame.
    function paths(stage, width, height) {
        const rnd = random(5);
        const ns = 'http://www.w3.org/2000/svg';
        const svg = document.createElementNS(ns, 'svg');
        svg.setAttribute('width', width);
        svg.setAttribute('height', height);
        stage.appendChild(svg);
        const shapes = [];
        for (let i = 0; i < 60; ++i) {
            const path = document.createElementNS(ns, 'path');
            path.setAttribute('fill', colour(rnd, 0.35));
            path.setAttribute('stroke', colour(rnd, 0.9));
            path.setAttribute('stroke-width', (1 + rnd() * 3).toFixed(1));
            svg.appendChild(path);
            const points = [];
            for (let k = 0; k < 8 * 3; ++k)
                points.push({ x: rnd() * width, y: rnd() * height, r: 10 + rnd() * 60,
                              speed: (rnd() - 0.5) * 2, phase: rnd() * 6.28 });
            shapes.push({ path, points });
        }
        return function (t) {
            const s = t / 1000;
            for (const shape of shapes) {
                const p = shape.points.map(q => {
                    const a = q.phase + s * q.speed;
                    return (q.x + Math.cos(a) * q.r).toFixed(1) + ' ' + (q.y + Math.sin(a) * q.r).toFixed(1);
                });
                let d = 'M' + p[0];
                for (let k = 1; k + 2 < p.length; k += 3) d += 'C' + p[k] + ' ' + p[k + 1] + ' ' + p[k + 2];
                shape.path.setAttribute('d', d + 'Z');
            }
        };
    }

    // Sprites from one sheet with drawImage, a third of them turned.
    function sprites(stage, width, height) {
        const rnd = random(6);
        const size = 48, kinds = 8;
        const sheet = document.createElement('canvas');
        sheet.width = size * kinds;
        sheet.height = size;
        const s = sheet.getContext('2d');
        for (let k = 0; k < kinds; ++k) {
            const g = s.createRadialGradient(k * size + 18, 16, 2, k * size + 24, 24, 24);
            g.addColorStop(0, '#fff');
            g.addColorStop(0.4, colour(rnd, 1));
            g.addColorStop(1, 'rgba(0,0,0,0)');
            s.fillStyle = g;
            s.beginPath();
            s.arc(k * size + 24, 24, 23, 0, 6.283);
            s.fill();
            s.fillStyle = colour(rnd, 1);
            s.fillRect(k * size + 16, 20, 16, 8);
        }
        const ctx = canvas(stage, width, height);
        const items = [];
        for (let i = 0; i < 400; ++i)
            items.push({ x: rnd() * width, y: rnd() * height, vx: (rnd() - 0.5) * 300,
                         vy: (rnd() - 0.5) * 300, kind: Math.floor(rnd() * kinds), turn: i % 3 === 0,
                         spin: (rnd() - 0.5) * 6 });
        function wrap(v, max) { v %= max; return v < 0 ? v + max : v; }
        return function (t) {
            const secs = t / 1000;
            ctx.setTransform(1, 0, 0, 1, 0, 0);
            ctx.fillStyle = '#203040';
            ctx.fillRect(0, 0, width, height);
            for (const it of items) {
                const x = wrap(it.x + it.vx * secs, width), y = wrap(it.y + it.vy * secs, height);
                if (it.turn) {
                    const a = it.spin * secs, c = Math.cos(a), n = Math.sin(a);
                    ctx.setTransform(c, n, -n, c, x, y);
                    ctx.drawImage(sheet, it.kind * size, 0, size, size, -size / 2, -size / 2, size, size);
                    ctx.setTransform(1, 0, 0, 1, 0, 0);
                } else {
                    ctx.drawImage(sheet, it.kind * size, 0, size, size, x - size / 2, y - size / 2, size, size);
                }
            }
        };
    }

    return { multiply, arcs, lines, design, paths, sprites };
})();
