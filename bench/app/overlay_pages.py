#!/usr/bin/python3
"""The overlay benchmark's browser side (see overlay_60s.sh).

Usage: overlay_pages.py BUILD LIVE_HOST DMS_HOST SECONDS
"""
import json
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

PAGES = 5
LATENCY_ROWS = 200
# Each page stamps every row as it enters the DOM, on the wall clock that
# this script stamps publication with.
STAMP_ROWS = """
window.orvelStamps = {};
new MutationObserver(list => {
  const now = performance.timeOrigin + performance.now();
  for (const m of list) for (const n of m.addedNodes)
    if (n.classList && n.classList.contains('orvel-row')) window.orvelStamps[n.textContent] = now;
}).observe(document.getElementById('orvel-rows'), {childList: true});
"""


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=" + profile):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def peak_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmHWM"))


def open_pages(web, url):
    for i in range(PAGES):
        if i:
            web.switch_to.new_window("tab")
        web.get(url)


def program_minute(web, build, live, dms, seconds):
    settings = os.path.join(os.environ["XDG_CONFIG_HOME"], "orvel-helper", "settings.json")
    os.makedirs(os.path.dirname(settings), 0o700)
    token = "0123456789abcdef0123456789abcdef"
    port = free_port()
    with open(settings, "w") as f:
        json.dump({"overlay_enabled": True, "overlay_port": port, "overlay_token": token}, f)
    url = "http://127.0.0.1:%d/overlay/%s/" % (port, token)
    app = subprocess.Popen([build + "/app/OrvelHelper", "--room=1000", "--live-host=" + live, "--dms-host=" + dms],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        for _ in range(100):
            try:
                urllib.request.urlopen(url)
                break
            except OSError:
                time.sleep(0.1)
        open_pages(web, url)
        time.sleep(5)  # the pages are open and the first rows are in
        before = ticks(app.pid)
        time.sleep(seconds)
        used = (ticks(app.pid) - before) / os.sysconf("SC_CLK_TCK")
        rows = web.execute_script("return document.querySelectorAll('.orvel-row').length;")
        print("program, %d pages, %d s: CPU %.2f s = %.2f%% of one core (target <= 0.5%%)"
              % (PAGES, seconds, used, 100 * used / seconds))
        print("peak resident memory: %.1f MB (target <= 45 MB); rows in the last page: %d"
              % (peak_kb(app.pid) / 1024, rows))
    finally:
        app.terminate()
        app.wait()


def latency(web, build):
    driver = subprocess.Popen([build + "/tools/orvel-overlay-driver", build + "/app/overlay",
                               "0123456789abcdef0123456789abcdef"],
                              stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    url = driver.stdout.readline().split()[1]
    try:
        open_pages(web, url)
        for handle in web.window_handles:
            web.switch_to.window(handle)
            web.execute_script(STAMP_ROWS)
        sent = {}
        for i in range(LATENCY_ROWS):
            sent["n%dm" % i] = time.time() * 1000
            driver.stdin.write("row\t0\t0\tn%d\tm\n" % i)
            driver.stdin.flush()
            driver.stdout.readline()
            time.sleep(0.05)
        time.sleep(1)
        delays = []
        for handle in web.window_handles:
            web.switch_to.window(handle)
            stamps = web.execute_script("return window.orvelStamps;")
            delays += [stamps[text] - at for text, at in sent.items() if text in stamps]
        delays.sort()
        print("latency, publication to DOM, %d rows x %d pages (%d seen): median %.1f ms, 95th %.1f ms, max %.1f ms"
              " (target median <= 50 ms)" % (LATENCY_ROWS, PAGES, len(delays), statistics.median(delays),
                                            delays[int(len(delays) * 0.95)], delays[-1]))
    finally:
        driver.stdin.close()
        driver.wait()


def main():
    build, live, dms, seconds = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    profile = tempfile.mkdtemp(prefix="orvel-chromium-")
    web = browser(profile)
    try:
        program_minute(web, build, live, dms, seconds)
        web.quit()
        shutil.rmtree(profile, ignore_errors=True)
        web = browser(profile)
        latency(web, build)
    finally:
        web.quit()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
