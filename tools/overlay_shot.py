#!/usr/bin/python3
"""A picture of the overlay page for the README: the page in headless Chromium
with a transparent background, rows given to orvel-overlay-driver, laid over
a busy picture (as OBS lays it over the game).

Usage: overlay_shot.py DRIVER PAGE_FOLDER OUT.png
"""
import shutil
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ROWS = [
    (3, 0, "路过的猫", "晚上好！"),
    (8, 0, "Kira", "this boss fight is insane"),
    (14, 0, "团子", "666666"),
    (18, 1, "大佬", "送出了[火箭] x1"),
    (25, 0, "<img src=x onerror=alert(1)>", "</script><b>x</b>"),
    (33, 0, "老粉", "主播加油，冲冲冲"),
    (1, 0, "新来的", "第一次来，关注了"),
    (120, 0, "榜一", "今天也来了"),
]
# The README's example.
CUSTOM_CSS = """:root { --orvel-font: "Noto Sans CJK SC", "WenQuanYi Micro Hei", sans-serif; --orvel-font-size: 20px;
  --orvel-text: #ffffff; --orvel-nick: #ffd0f0; --orvel-gift: #ffd36b; --orvel-row-bg: rgba(20, 10, 40, 0.55);
  --orvel-gap: 6px; --orvel-radius: 8px; --orvel-status-display: block; }"""


def main():
    drv = subprocess.Popen([sys.argv[1], sys.argv[2], "0123456789abcdef0123456789abcdef"],
                           stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    url = drv.stdout.readline().split()[1]
    profile = tempfile.mkdtemp(prefix="orvel-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--hide-scrollbars", "--user-data-dir=" + profile):
        options.add_argument(flag)
    web = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        drv.stdin.write("online\t1234\n")
        drv.stdin.flush()
        drv.stdout.readline()
        for level, gift, nick, msg in ROWS:
            drv.stdin.write("row\t%d\t%d\t%s\t%s\n" % (level, gift, nick, msg))
            drv.stdin.flush()
            drv.stdout.readline()
        web.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                            {"width": 480, "height": 420, "deviceScaleFactor": 1, "mobile": False})
        web.execute_cdp_cmd("Emulation.setDefaultBackgroundColorOverride", {"color": {"r": 0, "g": 0, "b": 0, "a": 0}})
        web.get(url)
        # What OBS's Custom CSS box does: a style element added to the page.
        web.execute_script("const s = document.createElement('style'); s.textContent = arguments[0];"
                           "document.head.append(s);", CUSTOM_CSS)
        time.sleep(1)
        page = sys.argv[3] + ".page.png"
        web.save_screenshot(page)
    finally:
        web.quit()
        drv.stdin.close()
        drv.wait()
        shutil.rmtree(profile, ignore_errors=True)
    # A busy, colourful stand-in for game footage under the transparent page.
    subprocess.run(["convert", "-size", "480x420", "-seed", "7", "plasma:orange-blue", "-blur", "0x3", page,
                    "-composite", "-colors", "192", "PNG8:" + sys.argv[3]], check=True)
    subprocess.run(["rm", "-f", page], check=True)


if __name__ == "__main__":
    main()
