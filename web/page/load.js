// Loading: every file fetched with the progress shown. The program comes gzip-compressed where
// the browser can inflate it (DecompressionStream), a third of its size on a plain static
// server; a server that already sent it inflated (Content-Encoding) is fine too.
function makeLoader(progress) {
  const sizes = new Map();
  const done = new Map();
  function showProgress() {
    let total = 0;
    let received = 0;
    for (const [name, size] of sizes) {
      total += size;
      received += Math.min(done.get(name) || 0, size);
    }
    progress.value = total > 0 ? received / total : 0;
  }
  async function fetchBytes(name) {
    const response = await fetch(name, {cache: "no-cache"});
    if (!response.ok) throw new Error("HTTP " + response.status + " " + response.statusText);
    sizes.set(name, Number(response.headers.get("Content-Length")) || 1);
    const reader = response.body.getReader();
    const parts = [];
    let length = 0;
    for (;;) {
      const {done: finished, value} = await reader.read();
      if (finished) break;
      parts.push(value);
      length += value.length;
      done.set(name, length);
      showProgress();
    }
    sizes.set(name, length);
    showProgress();
    const bytes = new Uint8Array(length);
    let at = 0;
    for (const part of parts) {
      bytes.set(part, at);
      at += part.length;
    }
    return bytes;
  }
  async function inflate(bytes) {
    if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes;  // not gzip: inflated already
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }
  // name's bytes; from name + ".gz" where the browser can inflate it.
  async function fetchFile(name, compressed) {
    if (!compressed || !window.DecompressionStream) return fetchBytes(name);
    return inflate(await fetchBytes(name + ".gz"));
  }
  function expect(names) {
    for (const name of names) sizes.set(name, 0);
  }
  return {fetchFile, expect};
}
