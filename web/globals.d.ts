// SPDX-License-Identifier: GPL-3.0-or-later
// What the page adds to the window.
interface Window {
  ovraScreenState?: () => Record<string, unknown>;
}
