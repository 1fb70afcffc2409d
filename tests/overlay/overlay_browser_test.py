#!/usr/bin/python3
"""The overlay page in headless Chromium.

Usage: overlay_browser_test.py DRIVER PAGE_FOLDER
         served by orvel-overlay-driver with scripted rows (hostile text,
         parameters, a wrong token, a restarted server);
       overlay_browser_test.py --program PROGRAM LIVE_HOST DMS_HOST
         served by the program itself, polling the demo services, on a
         display of the caller's (the settings go to $XDG_CONFIG_HOME).
"""
import json
import os
import shutil
import socket
import stat
import subprocess
import sys
import tempfile
import time
import urllib.request

try:
    from selenium import webdriver
    from selenium.common.exceptions import NoAlertPresentException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("SKIP: python3-selenium is needed", file=sys.stderr)
    sys.exit(77)

TOKEN = "0123456789abcdef0123456789abcdef"
OTHER = "fedcba9876543210fedcba9876543210"
# How long a wait may last before the test gives up: a bound for a loaded
# machine, not a speed check.
PATIENCE = 30
NICK = "<img src=x onerror=alert(1)>"
MSG = "</script><b>x</b>"


class Driver:
    """The server process, fed one command a line."""

    def __init__(self, program, page):
        self.proc = subprocess.Popen([program, page, TOKEN], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True)
        self.url = self.proc.stdout.readline().split()[1]

    def send(self, *fields):
        self.proc.stdin.write("\t".join(str(f) for f in fields) + "\n")
        self.proc.stdin.flush()
        answer = self.proc.stdout.readline().strip()
        if fields[0] == "pages":
            self.proc.stdout.readline()
        return answer

    def row(self, level, gift, nick, msg):
        self.send("row", level, 1 if gift else 0, nick, msg)

    def close(self):
        self.proc.stdin.close()
        self.proc.wait()


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--user-data-dir=" + profile):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def rows(web):
    return web.execute_script(
        "return Array.from(document.querySelectorAll('.orvel-row'), r => r.textContent);")


def until(web, condition, what):
    WebDriverWait(web, PATIENCE).until(lambda _: condition(), what)


def check_rows_and_hostile_text(web, drv):
    web.get(drv.url)
    drv.row(5, False, NICK, MSG)
    drv.row(30, True, "giver", "送出了[花]")
    until(web, lambda: len(rows(web)) == 2, "rows appear")
    nick = web.execute_script("return document.querySelector('.orvel-nick').textContent;")
    msg = web.execute_script("return document.querySelector('.orvel-msg').textContent;")
    assert (nick, msg) == (NICK, MSG), (nick, msg)
    markup = web.execute_script("return document.querySelectorAll('#orvel-rows img, #orvel-rows b').length;")
    assert markup == 0, markup
    try:
        web.switch_to.alert
        raise AssertionError("a script ran")
    except NoAlertPresentException:
        pass


def check_parameters(web, drv):
    for i in range(8):
        drv.row(1, False, "n%d" % i, "m%d" % i)
    web.get(drv.url + "?limit=5")
    until(web, lambda: rows(web)[-1:] == ["Lv1n7m7"], "the newest row arrives")
    assert len(rows(web)) == 5, rows(web)
    web.get(drv.url + "?hide=gifts&limit=bad&size=-3")
    until(web, lambda: rows(web)[-1:] == ["Lv1n7m7"], "the newest row arrives")
    assert not any("送出了" in r for r in rows(web)), rows(web)
    assert len(rows(web)) == 9, rows(web)
    web.get(drv.url + "?fade=2")
    until(web, lambda: rows(web), "rows appear")
    until(web, lambda: not rows(web), "rows fade away")


def check_wrong_token(web, drv):
    web.get(drv.url.replace(TOKEN, OTHER))
    assert web.execute_script("return document.getElementById('orvel-rows');") is None


def check_resume_after_restart(web, drv):
    web.get(drv.url)
    until(web, lambda: rows(web), "rows appear")
    before = len(rows(web))
    drv.send("restart")
    until(web, lambda: drv.send("pages") == "1", "the page connects again")
    drv.row(7, False, "after", "restart")
    until(web, lambda: rows(web)[-1:] == ["Lv7afterrestart"], "a new row after the restart")
    assert len(rows(web)) == before + 1, rows(web)
    drv.send("clear")
    until(web, lambda: not rows(web), "another room empties the page")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def eventually(condition, what):
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        try:
            result = condition()
            if result:
                return result
        except (OSError, ValueError, KeyError):
            pass
        time.sleep(0.1)
    raise AssertionError("gave up waiting: " + what)


class Program:
    """The program in room 1000 with the overlay on, at a port picked free; no
    token in the settings, so the program makes one and saves it."""

    def __init__(self, program, live, dms):
        self.args = [program, "--room=1000", "--live-host=" + live, "--dms-host=" + dms]
        self.settings = os.path.join(os.environ["XDG_CONFIG_HOME"], "orvel-helper", "settings.json")
        os.makedirs(os.path.dirname(self.settings), 0o700, exist_ok=True)
        with open(self.settings, "w") as f:
            json.dump({"overlay_enabled": True, "overlay_port": free_port()}, f)
        self.start()

    def saved(self):
        with open(self.settings) as f:
            return json.load(f)

    def start(self):
        self.proc = subprocess.Popen(self.args)
        saved = eventually(lambda: "overlay_token" in self.saved() and self.saved(), "a token is saved")
        assert stat.S_IMODE(os.stat(self.settings).st_mode) == 0o600
        self.url = "http://127.0.0.1:%d/overlay/%s/" % (saved["overlay_port"], saved["overlay_token"])
        eventually(lambda: urllib.request.urlopen(self.url).status == 200, "the page is served")

    def restart(self):
        self.close()
        self.start()

    def close(self):
        self.proc.terminate()
        self.proc.wait()


def check_program_rows(web, prog):
    web.get(prog.url)
    until(web, lambda: len(rows(web)) >= 3, "the room's rows appear")
    until(web, lambda: web.execute_script(
        "return /^在线 [1-9]/.test(document.getElementById('orvel-status').textContent);"), "the viewer count")


def check_program_restart(web, prog):
    web.execute_script("window.orvelKept = true; document.querySelectorAll('.orvel-row')"
                       ".forEach(r => r.classList.add('before'));")
    token = prog.url
    prog.restart()
    assert prog.url == token, "the saved token is used again"
    until(web, lambda: web.execute_script("return document.querySelector('.orvel-row:not(.before)') !== null;"),
          "a new row after the restart")
    assert web.execute_script("return window.orvelKept === true;"), "the page was not reloaded"


def main():
    if sys.argv[1] == "--program":
        served, checks = Program(*sys.argv[2:5]), (check_program_rows, check_program_restart)
    else:
        served = Driver(sys.argv[1], sys.argv[2])
        checks = (check_rows_and_hostile_text, check_parameters, check_wrong_token, check_resume_after_restart)
    profile = tempfile.mkdtemp(prefix="orvel-chromium-")
    web = browser(profile)
    try:
        for check in checks:
            check(web, served)
            print("ok", check.__name__)
    finally:
        web.quit()
        served.close()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
