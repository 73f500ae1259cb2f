// Runs one scene for a fixed time and reports its frames to the server
// that serves it, then waits for the server's next order. Without a scene
// the page only reports its viewport (again on every resize) and waits.
//   scene.html?who=NAME[&scene=SCENE&secs=S&warm=W]
(function () {
    const query = new URLSearchParams(location.search);
    const who = query.get('who') || 'page';
    const name = query.get('scene');
    const seconds = Number(query.get('secs') || 8);
    const warmSeconds = Number(query.get('warm') || 1);

    function post(path, body) {
        let url = path + '?who=' + encodeURIComponent(who);
        if (name) url += '&scene=' + encodeURIComponent(name);
        return fetch(url, { method: 'POST', body: body || '' });
    }
    function viewport() { return innerWidth + ' ' + innerHeight; }

    // The server answers when this page is to run something: "SCENE SECS".
    function next() {
        fetch('/next?who=' + encodeURIComponent(who)).then(r => r.text()).then(text => {
            const [scene, secs] = text.trim().split(' ');
            if (scene === 'stop') return;
            location.replace(location.pathname + '?who=' + encodeURIComponent(who) +
                             '&scene=' + encodeURIComponent(scene) + '&secs=' + secs +
                             '&warm=' + warmSeconds);
        }, () => setTimeout(next, 500));
    }

    if (!name) {
        post('/hello', viewport());
        addEventListener('resize', () => post('/hello', viewport()));
        next();
        return;
    }

    const make = Scenes[name];
    if (!make) {
        post('/result', 'error unknown-scene').then(next, next);
        return;
    }
    const step = make(document.getElementById('stage'), innerWidth, innerHeight);
    let warmStart = null;
    let times = null;

    function finish() {
        const gaps = [];
        for (let i = 1; i < times.length; ++i) gaps.push(times[i] - times[i - 1]);
        gaps.sort((a, b) => a - b);
        const elapsed = times[times.length - 1] - times[0];
        const frames = gaps.length;
        const fps = elapsed > 0 ? frames * 1000 / elapsed : 0;
        const p95 = frames ? gaps[Math.min(frames - 1, Math.ceil(frames * 0.95) - 1)] : 0;
        post('/result', [frames, fps.toFixed(3), p95.toFixed(3), innerWidth, innerHeight].join(' '))
            .then(next, next);
    }

    function frame(t) {
        step(t);
        if (!times) {
            if (warmStart === null) warmStart = t;
            if (t - warmStart >= warmSeconds * 1000) {
                post('/mark');
                times = [t];
            }
        } else {
            times.push(t);
            if (t - times[0] >= seconds * 1000) {
                finish();
                return;
            }
        }
        requestAnimationFrame(frame);
    }
    requestAnimationFrame(frame);
})();
