#!/usr/bin/env python3
"""Reads a page in a running headless Chromium through its DevTools port on
loopback, as the players' phones would show it.

usage: cdp.py <user-data-dir> eval <javascript>
       cdp.py <user-data-dir> wait <javascript> <text> <milliseconds>
       cdp.py <user-data-dir> shot <png file> [<width> <height>]
eval prints the expression's value; wait evaluates it until its value holds
the text, prints the milliseconds that took and fails after the limit.
"""
import base64
import json
import os
import socket
import struct
import sys
import time
import urllib.request


def devtools_port(profile):
    for _ in range(200):
        path = os.path.join(profile, "DevToolsActivePort")
        if os.path.exists(path):
            with open(path) as f:
                return int(f.readline())
        time.sleep(0.05)
    sys.exit("no DevTools port")


class Socket:
    """The least of a WebSocket client: text frames, masked, one at a time."""

    def __init__(self, url):
        rest = url.split("://", 1)[1]
        hostport, path = rest.split("/", 1)
        host, port = hostport.split(":")
        assert host in ("127.0.0.1", "localhost"), "loopback only"
        self.s = socket.create_connection((host, int(port)), timeout=10)
        key = base64.b64encode(os.urandom(16)).decode()
        self.s.sendall((f"GET /{path} HTTP/1.1\r\nHost: {hostport}\r\nUpgrade: websocket\r\n"
                        f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                        "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        head = b""
        while b"\r\n\r\n" not in head:
            head += self.s.recv(1)
        assert b" 101 " in head.split(b"\r\n")[0], head

    def send(self, text):
        data = text.encode()
        mask = os.urandom(4)
        n = len(data)
        header = bytes([0x81]) + (bytes([0x80 | n]) if n < 126 else
                                  bytes([0x80 | 126]) + struct.pack(">H", n) if n < 65536 else
                                  bytes([0x80 | 127]) + struct.pack(">Q", n))
        self.s.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def exact(self, n):
        data = b""
        while len(data) < n:
            chunk = self.s.recv(n - len(data))
            if not chunk:
                raise EOFError
            data += chunk
        return data

    def receive(self):
        first, second = self.exact(2)
        n = second & 0x7F
        if n == 126:
            n = struct.unpack(">H", self.exact(2))[0]
        elif n == 127:
            n = struct.unpack(">Q", self.exact(8))[0]
        return self.exact(n).decode()


def page_socket(profile):
    port = devtools_port(profile)
    for _ in range(200):
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=5) as r:
            pages = [p for p in json.load(r) if p.get("type") == "page"]
        if pages:
            return Socket(pages[0]["webSocketDebuggerUrl"])
        time.sleep(0.05)
    sys.exit("no page")


def call(ws, method, params, number=[0]):
    number[0] += 1
    ws.send(json.dumps({"id": number[0], "method": method, "params": params}))
    while True:
        answer = json.loads(ws.receive())
        if answer.get("id") == number[0]:
            return answer.get("result", {})


def evaluate(ws, expression):
    result = call(ws, "Runtime.evaluate", {"expression": expression, "returnByValue": True})
    return str(result.get("result", {}).get("value", ""))


def main():
    profile, command, expression = sys.argv[1:4]
    ws = page_socket(profile)
    if command == "eval":
        print(evaluate(ws, expression))
        return
    if command == "shot":
        if len(sys.argv) > 5:
            call(ws, "Emulation.setDeviceMetricsOverride",
                 {"width": int(sys.argv[4]), "height": int(sys.argv[5]),
                  "deviceScaleFactor": 1, "mobile": True})
            time.sleep(0.5)
        with open(expression, "wb") as f:
            f.write(base64.b64decode(call(ws, "Page.captureScreenshot", {"format": "png"})["data"]))
        return
    text, limit = sys.argv[4], int(sys.argv[5])
    began = time.monotonic()
    while True:
        value = evaluate(ws, expression)
        elapsed = int((time.monotonic() - began) * 1000)
        if text in value:
            print(elapsed)
            return
        if elapsed > limit:
            sys.exit(f"after {elapsed} ms the page shows: {value}")
        time.sleep(0.02)


main()
