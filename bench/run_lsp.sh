#!/usr/bin/env bash
# The language server on a real-size base: 1,000 autodocs of 100 functions
# (100,000 entries), built once with vsdoc base add. Measured as an editor
# sees it, through the server's pipes:
# - start to the answer of initialize (process start, base loaded), beside
#   `vsdoc base list` of the same base, alternating, medians of 41 runs;
# - 1,000 hovers, definitions and completions, each on another name, one at
#   a time: median and 99th percentile of the round trip;
# - the server's peak memory against the base file's size and the open text.
# Usage: bench/run_lsp.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
dir=${VS_BENCH_LSP:-/tmp/vellumscanner-bench-lsp}
cmake --build "$build" --target vsdoc bench_make_lsp_corpus >/dev/null
mapfile -t docs < <("$build/bench/bench_make_lsp_corpus" "$dir/sdk")
base=$dir/sdk.qmx
[ -f "$base" ] || "$build/tools/vsdoc" base add "$base" --group SDK/Autodocs "${docs[@]}" 2>/dev/null
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$base" "$dir/sdk" <<'PY'
import json, os, random, subprocess, sys, time
from timing import in_page_cache, median, timed
vsdoc, base, sdk = sys.argv[1], sys.argv[2], sys.argv[3]
docs = [os.path.join(sdk, "lib%d.doc" % i) for i in range(1000)]
in_page_cache([base] + docs)

def frame(message):
    body = json.dumps(message).encode()
    return b"Content-Length: %d\r\n\r\n" % len(body) + body

class Server:
    def __init__(self):
        self.p = subprocess.Popen([vsdoc, "lsp", "--base", base], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.next = 0
    def send(self, method, params, notify=False):
        message = {"jsonrpc": "2.0", "method": method, "params": params}
        if not notify:
            self.next += 1
            message["id"] = self.next
        self.p.stdin.write(frame(message))
        self.p.stdin.flush()
    def answer(self):
        length = 0
        while True:
            line = self.p.stdout.readline()
            if line == b"\r\n":
                break
            if line.lower().startswith(b"content-length:"):
                length = int(line.split(b":")[1])
        message = json.loads(self.p.stdout.read(length))
        return message if "id" in message else self.answer()
    def ask(self, method, params):
        self.send(method, params)
        return self.answer()
    def end(self):
        self.ask("shutdown", None)
        self.send("exit", None, notify=True)
        self.p.wait()

def start_to_initialize():
    t = time.perf_counter()
    s = Server()
    s.ask("initialize", {"capabilities": {}})
    ms = (time.perf_counter() - t) * 1000
    s.end()
    return ms

print("machine load average at the start: %.1f %.1f %.1f (%d cores)" % (os.getloadavg() + (os.cpu_count(),)))
starts, lists = [], []
for _ in range(41):
    starts.append(start_to_initialize())
    lists.append(timed([vsdoc, "base", "list", base]))
start, listing = median(starts), median(lists)
print("start to initialize answer: %.2f ms (limit 100), vsdoc base list %.2f ms, ratio %.2f (limit 1.5)" % (start, listing, start / listing))

# the names of the base, and a text that holds a line per request kind
names = []
for d in random.Random(7).sample(docs, 200):
    with open(d, encoding="latin-1") as f:
        names += [l.split("/")[1].strip() for l in f if l.startswith("\f")]
random.Random(11).shuffle(names)
s = Server()
s.ask("initialize", {"capabilities": {}})
text = "".join("x = %s(a, b);\n" % n for n in names[:1000])
uri = "file:///bench.c"
s.send("textDocument/didOpen", {"textDocument": {"uri": uri, "languageId": "c", "version": 1, "text": text}}, notify=True)
s.ask("workspace/symbol", {"query": "zzz"})   # the names sorted before the timing starts

def cpu_ms(pid):
    # the server's own processor time (user + system), which other load on the machine does not lengthen
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000 / os.sysconf("SC_CLK_TCK")

def timed_requests(method, column):
    times, results = [], 0
    cpu = cpu_ms(s.p.pid)
    for line in range(1000):
        t = time.perf_counter()
        a = s.ask(method, {"textDocument": {"uri": uri}, "position": {"line": line, "character": column(line)}})
        times.append((time.perf_counter() - t) * 1000)
        results += a.get("result") is not None and a.get("result") != []
    cpu = (cpu_ms(s.p.pid) - cpu) / 1000
    times.sort()
    print("%-24s median %.3f ms (limit 1), p99 %.3f ms (limit 5), server processor time %.3f ms a request, %d of 1000 with a result" %
          (method, times[500], times[989], cpu, results))

timed_requests("textDocument/hover", lambda line: 5)
timed_requests("textDocument/definition", lambda line: 5)
# completion of the first 6 letters of each name: about 300 matches, 200 given with their synopses
timed_requests("textDocument/completion", lambda line: 4 + 6)
with open("/proc/%d/status" % s.p.pid) as f:
    status = dict(l.split(":", 1) for l in f)
peak = int(status["VmHWM"].split()[0]) * 1024
size = os.path.getsize(base)
print("server peak memory %.1f MB; base file %.1f MB; open text %.1f KB; limit 2 x base + text = %.1f MB" %
      (peak / 1e6, size / 1e6, len(text) / 1e3, (2 * size + len(text)) / 1e6))
s.end()
PY
