// Files from the site: nothing waits for ever on the network.
const FETCH_TIMEOUT_MS = 5000;

// Nothing waits for ever on the network: a slow or failed request is a
// missing file. A file is read no further than limit bytes; the rest is
// never downloaded.
async function fetchBytes(url, limit = Infinity) {
  const abort = new AbortController();
  const timer = setTimeout(() => abort.abort(), FETCH_TIMEOUT_MS);
  try {
    const response = await fetch(url, { signal: abort.signal });
    if (!response.ok) return null;
    const reader = response.body.getReader();
    const chunks = [];
    let size = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      chunks.push(value);
      size += value.length;
      if (size >= limit) {
        reader.cancel().catch(() => {});
        break;
      }
    }
    const bytes = new Uint8Array(Math.min(size, limit));
    let at = 0;
    for (const chunk of chunks) {
      const part = chunk.subarray(0, bytes.length - at);
      bytes.set(part, at);
      at += part.length;
    }
    return bytes;
  } catch {
    return null;
  } finally {
    clearTimeout(timer);
  }
}

export { fetchBytes };
