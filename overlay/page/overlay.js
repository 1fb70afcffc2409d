// The chat overlay: rows from the program's event stream, drawn with
// textContent only (a nickname or message never becomes markup).
"use strict";

(function () {
  const params = new URLSearchParams(window.location.search);

  // A whole number within [min, max], else the default.
  function number(name, fallback, min, max) {
    const text = params.get(name);
    if (text === null || !/^\d{1,6}$/.test(text)) return fallback;
    const value = Number(text);
    return value >= min && value <= max ? value : fallback;
  }

  function oneOf(name, choices, fallback) {
    const value = params.get(name);
    return choices.includes(value) ? value : fallback;
  }

  function list(name) {
    return (params.get(name) || "").split(",").map((s) => s.trim().toLowerCase()).filter((s) => s);
  }

  const options = {
    limit: number("limit", 30, 1, 200),
    fade: number("fade", 0, 0, 86400),
    hide: list("hide"),
    block: list("block"),
    badges: oneOf("badges", ["0", "1"], "1") === "1",
    size: number("size", 0, 8, 96),
    align: oneOf("align", ["left", "right"], "left"),
    direction: oneOf("direction", ["up", "down"], "down"),
  };

  // As long as the fade-out of overlay.css (--orvel-fade-time).
  const fadeOutMs = 400;
  // The level bands of the program's badges: the highest level of each.
  const bands = [5, 10, 15, 20, 40, 99];
  const rows = document.getElementById("orvel-rows");
  const status = document.getElementById("orvel-status");
  const view = { online: 0, state: "connecting", reason: "" };

  function span(className, text) {
    const element = document.createElement("span");
    element.className = className;
    element.textContent = text;
    return element;
  }

  function hidden(row) {
    if (row.gift && options.hide.includes("gifts")) return true;
    if (!row.msg && options.hide.includes("notices")) return true;
    return options.block.includes(String(row.nick).toLowerCase());
  }

  function badge(level) {
    const band = bands.findIndex((top) => level <= top);
    return span("orvel-badge orvel-band-" + (band < 0 ? bands.length + 1 : band + 1), "Lv" + level);
  }

  function fadeOut(element) {
    element.classList.add("orvel-fading");
    window.setTimeout(() => element.remove(), fadeOutMs);
  }

  function addRow(row) {
    if (typeof row !== "object" || row === null || hidden(row)) return;
    const element = document.createElement("div");
    element.className = "orvel-row" + (row.gift ? " orvel-gift" : "") + (row.msg ? "" : " orvel-notice");
    const level = Number(row.level);
    if (options.badges && Number.isInteger(level) && level > 0) element.appendChild(badge(level));
    element.appendChild(span("orvel-nick", String(row.nick || "")));
    if (row.msg) element.appendChild(span("orvel-msg", String(row.msg)));
    if (options.direction === "up") rows.prepend(element);
    else rows.append(element);
    while (rows.children.length > options.limit) {
      (options.direction === "up" ? rows.lastElementChild : rows.firstElementChild).remove();
    }
    if (options.fade > 0) window.setTimeout(() => fadeOut(element), options.fade * 1000);
  }

  function showStatus() {
    status.textContent = view.state === "down" ? "连接中断" : "在线 " + view.online;
    status.title = view.reason;
  }

  function parse(event) {
    try {
      return JSON.parse(event.data);
    } catch (error) {
      return null;
    }
  }

  // EventSource connects again by itself after a dropped stream, naming the
  // last row it had; after a refusal (no page slot free, the program gone
  // while it started) it gives up, so a new one is opened here, a little
  // later each time, with the last row in the query instead.
  let lastId = "";
  let delay = 2000;
  function connect() {
    const url = "events" + (lastId ? "?last=" + encodeURIComponent(lastId) : "");
    const source = new EventSource(url);
    source.addEventListener("open", () => { delay = 2000; });
    source.addEventListener("row", (event) => {
      lastId = event.lastEventId;
      addRow(parse(event));
    });
    source.addEventListener("clear", () => rows.replaceChildren());
    source.addEventListener("online", (event) => {
      const data = parse(event);
      if (data && Number.isInteger(data.count)) view.online = data.count;
      showStatus();
    });
    source.addEventListener("state", (event) => {
      const data = parse(event);
      if (data) Object.assign(view, { state: String(data.state), reason: String(data.reason || "") });
      showStatus();
    });
    source.addEventListener("error", () => {
      if (source.readyState !== EventSource.CLOSED) return;
      window.setTimeout(connect, delay);
      delay = Math.min(delay * 2, 30000);
    });
  }

  const root = document.documentElement;
  if (options.size) root.style.setProperty("--orvel-font-size", options.size + "px");
  if (options.align === "right") document.body.classList.add("orvel-right");
  if (options.direction === "up") document.body.classList.add("orvel-up");
  showStatus();
  connect();
})();
