// What the three pages of the demo "ROZ" server share: the token and
// meeting number of the address, the REST calls of the same server, the
// bridge "qtWebObj" of the client, and small helpers that build elements
// with text only (no markup from the data ever reaches the page as markup).
"use strict";

var Roz = (function () {
  var params = new URLSearchParams(window.location.search);
  var token = params.get("token") || "";
  var numericId = params.get("numericId") || "";
  var api = "/api/rest/v2.0";
  var bridge = null;
  var kInvalidToken = 1010;
  var kRenewKey = "rozTokenRenewAskedAt";
  var kRenewGapMs = 30000;

  function log(text) {
    if (bridge) bridge.webLog(String(text));
  }

  // The server refused the token: the client renews it and reloads the page
  // with the new one. Asked at most once in a while, so a token the server
  // keeps refusing does not make the client ask forever.
  function tokenRefused() {
    var last = Number(window.localStorage.getItem(kRenewKey) || 0);
    if (!bridge || Date.now() - last < kRenewGapMs) return;
    window.localStorage.setItem(kRenewKey, String(Date.now()));
    log("token refused, asking the client for a new one");
    bridge.tokenExpired();
  }

  function RestError(code, info) {
    this.code = code;
    this.message = info || ("error " + code);
  }

  function request(method, path, query) {
    var q = new URLSearchParams(query || {});
    q.set("token", token);
    return fetch(api + path + "?" + q.toString(), { method: method, cache: "no-store" })
      .then(function (r) { return r.json(); })
      .then(function (data) {
        if (data && !Array.isArray(data) && data.errorCode) {
          if (data.errorCode === kInvalidToken) tokenRefused();
          throw new RestError(data.errorCode, data.errorInfo);
        }
        return data;
      });
  }

  function el(tag, attrs, text) {
    var e = document.createElement(tag);
    Object.keys(attrs || {}).forEach(function (k) {
      if (k === "className") e.className = attrs[k];
      else if (k.indexOf("data-") === 0) e.setAttribute(k, String(attrs[k]));
      else e[k] = attrs[k];
    });
    if (text !== undefined && text !== null) e.textContent = String(text);
    return e;
  }

  function button(label, name, onClick) {
    var b = el("button", { type: "button", className: "btn " + name, "data-action": name }, label);
    b.addEventListener("click", function (ev) {
      ev.preventDefault();
      onClick();
    });
    return b;
  }

  function mailLink(address) {
    if (!address) return el("span", { className: "muted" }, "");
    var a = el("a", { href: "#", className: "mail" }, address);
    a.addEventListener("click", function (ev) {
      ev.preventDefault();
      if (bridge) bridge.sendEmail("mailto:" + address);
    });
    return a;
  }

  function setStatus(text, isError) {
    var s = document.getElementById("status");
    if (!s) return;
    s.textContent = text || "";
    s.className = isError ? "status error" : "status";
  }

  function clear(node) {
    while (node.firstChild) node.removeChild(node.firstChild);
  }

  // Page functions every page offers to the client.
  window.updateLoginUser = function (name) {
    var n = document.getElementById("user-name");
    if (!n) return;
    n.textContent = String(name);
    // Shown once the client has said who is signed in.
    if (n.parentNode) n.parentNode.hidden = !n.textContent;
  };
  window.loadFinished = function () {
    document.body.setAttribute("data-load-finished", "1");
  };

  // Connects the bridge (inside the client), runs the page's first fill and
  // then announces the page, so the client shows it complete. A refused
  // token is not announced: the client reloads with a new one.
  function start(fill) {
    function ready() {
      Promise.resolve()
        .then(fill)
        .then(function () { setStatus(""); }, function (e) {
          setStatus(e && e.message ? e.message : String(e), true);
          if (e && e.code === kInvalidToken) throw e;
        })
        .then(function () {
          document.body.setAttribute("data-ready", "1");
          if (bridge) bridge.pageCreated();
        }, function () {});
    }
    if (typeof QWebChannel !== "undefined" && window.qt && qt.webChannelTransport) {
      new QWebChannel(qt.webChannelTransport, function (channel) {
        bridge = channel.objects.qtWebObj;
        ready();
      });
    } else {
      ready();
    }
  }

  return {
    token: function () { return token; },
    numericId: function () { return numericId; },
    bridge: function () { return bridge; },
    get: function (path, query) { return request("GET", path, query); },
    put: function (path, query) { return request("PUT", path, query); },
    el: el,
    button: button,
    mailLink: mailLink,
    setStatus: setStatus,
    clear: clear,
    log: log,
    start: start
  };
})();
