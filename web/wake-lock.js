// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the screen on while listening: tuning takes minutes without a
// touch. Browsers drop the lock when the page is hidden, so it is taken
// again when listening restarts. Without the API, or when refused, nothing
// happens.

export class WakeLock {
  constructor() {
    /** @type {{release: () => Promise<void>} | null} */
    this.sentinel = null;
  }

  async take() {
    const api = /** @type {any} */ (navigator).wakeLock;
    if (this.sentinel || !api?.request) return;
    try {
      this.sentinel = await api.request('screen');
      /** @type {any} */ (this.sentinel).addEventListener?.('release', () => { this.sentinel = null; });
    } catch {
      this.sentinel = null;
    }
  }

  release() {
    this.sentinel?.release().catch(() => {});
    this.sentinel = null;
  }

  get held() {
    return this.sentinel !== null;
  }
}
