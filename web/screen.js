// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner screen on a canvas: the core's screen plan (sprites back to
// front, then the labels) drawn with the skin's pictures, in the state the
// refreshes leave it. What to show is decided by the core's display model;
// this only draws it and finds which key a pointer touches.

/** @typedef {import('./core-types.js').ScreenPlan} ScreenPlan */
/** @typedef {import('./core-types.js').Sprite} Sprite */
/** @typedef {import('./core-types.js').Label} Label */
/** @typedef {import('./core-types.js').Refresh} Refresh */
/** @typedef {import('./core-types.js').LayoutColor} LayoutColor */

export const SCREEN_WIDTH = 320;
export const SCREEN_HEIGHT = 460;
const NEEDLE_MOVE_MS = 100;
const STALE_READING_MS = 1000;
const STRING_COUNT = 6;
const MIN_STATUS_FONT = 8;

/**
 * @typedef {object} Hit
 * @property {'key' | 'gear'} kind
 * @property {number} index 0..5 a string's key, 6 the magic key
 */

/** @param {number} size in points */
function fontOf(size) {
  return `bold ${size}px "DejaVu Sans", "Helvetica Neue", Arial, sans-serif`;
}

/** @param {LayoutColor} c */
function cssColor(c) {
  const part = (/** @type {number} */ v) => Math.round(Math.min(1, Math.max(0, v)) * 255);
  return `rgba(${part(c.red)}, ${part(c.green)}, ${part(c.blue)}, ${c.alpha})`;
}

export class Screen {
  /**
   * @param {HTMLCanvasElement} canvas
   * @param {ScreenPlan} plan
   * @param {(file: string) => {image: CanvasImageSource, width: number, height: number} | undefined} picture
   *   a layout picture by file name, with its size in points; undefined when missing
   * @param {number} magicKey the magic key's index
   * @param {(numberText: string) => string} [localNumber] the readout's numbers in the page's language
   */
  constructor(canvas, plan, picture, magicKey, localNumber = (t) => t) {
    this.localNumber = localNumber;
    this.canvas = canvas;
    const context = canvas.getContext('2d');
    if (!context) throw new Error('no 2D canvas');
    this.context = context;
    this.plan = plan;
    this.picture = picture;
    this.magicKey = magicKey;
    this.activeString = 0;
    this.automatic = true;
    this.litLeds = 0;
    this.meterBright = false;
    /** @type {Record<string, string>} */
    this.texts = { statusline: '', tuningcaption: '', 'readout.note': '', 'readout.frequency': '', 'readout.cents': '' };
    /** @type {string[]} */
    this.stringNames = Array(STRING_COUNT).fill('');
    /** @type {number | null} */
    this.displayFrequency = null;
    /** @type {number | null} */
    this.cents = null;
    this.gearPressed = false;
    const start = plan.needlePoints.nearBlue;
    this.needle = { x: start.x, y: start.y };
    this.needleFrom = { ...this.needle };
    this.needleTo = { ...this.needle };
    this.needleStart = 0;
    this.scale = 1;
    /** @type {ReturnType<typeof setTimeout> | undefined} */
    this.staleTimer = undefined;
    this.drawPending = false;
    /** @type {Map<string, ImageBitmap>} pictures scaled to device pixels, by file name */
    this.scaled = new Map();
    this.scaling = 0;
    /** @type {Map<string, {text: string, size: number, lines: string[]}>} */
    this.textLayouts = new Map();
  }

  /** Fits the screen into the canvas's box, sharp at the device's pixel ratio. */
  resize() {
    const box = this.canvas.getBoundingClientRect();
    const ratio = window.devicePixelRatio || 1;
    this.scale = Math.min(box.width / SCREEN_WIDTH, box.height / SCREEN_HEIGHT) || 1;
    this.canvas.width = Math.round(box.width * ratio);
    this.canvas.height = Math.round(box.height * ratio);
    this.pixelRatio = ratio;
    this.offsetX = (box.width - SCREEN_WIDTH * this.scale) / 2;
    this.offsetY = (box.height - SCREEN_HEIGHT * this.scale) / 2;
    this.requestDraw();
    this.prescale();
  }

  /**
   * Scales every picture once to its size in device pixels: each frame is
   * then copies, not resampling, which is most of a frame's cost on a
   * phone without a GPU canvas. Until they are ready the pictures are
   * scaled while drawing.
   */
  async prescale() {
    const generation = ++this.scaling;
    this.scaled = new Map();
    if (typeof createImageBitmap !== 'function') return;
    const files = new Set(this.plan.sprites.flatMap((sprite) => Object.values(sprite.images)));
    /** @type {Map<string, ImageBitmap>} */
    const scaled = new Map();
    await Promise.all([...files].map(async (file) => {
      const picture = this.picture(file);
      if (!picture) return;
      try {
        scaled.set(file, await createImageBitmap(/** @type {ImageBitmapSource} */ (picture.image), {
          resizeWidth: Math.max(1, Math.round(picture.width * this.density)),
          resizeHeight: Math.max(1, Math.round(picture.height * this.density)),
          resizeQuality: 'high',
        }));
      } catch {
        // drawn scaled each time instead
      }
    }));
    if (generation !== this.scaling) return;
    this.scaled = scaled;
    this.requestDraw();
  }

  /** How many device pixels a point takes: above 1 the artwork's double-size pictures are sharper. */
  get density() {
    return this.scale * (this.pixelRatio || 1);
  }

  /**
   * @param {number} active
   * @param {boolean} automatic
   */
  setSelection(active, automatic) {
    this.activeString = active;
    this.automatic = automatic;
    this.requestDraw();
  }

  /** @param {string[]} names */
  setStringNames(names) {
    this.stringNames = names.slice(0, STRING_COUNT);
    this.requestDraw();
  }

  /**
   * @param {'statusline' | 'tuningcaption'} item
   * @param {string} text
   */
  setText(item, text) {
    this.texts[item] = text;
    this.requestDraw();
  }

  /**
   * What the desktop screen does with a refresh: the LED bar always, then
   * the selection, the meter, the needle and the readout as the model says.
   * @param {Refresh} refresh
   */
  applyRefresh(refresh) {
    this.litLeds = refresh.litLeds;
    clearTimeout(this.staleTimer);
    this.staleTimer = setTimeout(() => this.showStaleReading(), STALE_READING_MS);
    this.activeString = refresh.activeString;
    this.automatic = refresh.automatic;
    if (refresh.meter !== 'unchanged') this.meterBright = refresh.meter === 'bright';
    if (refresh.needle) this.moveNeedle(refresh.needle.point);
    if (refresh.displayFrequency !== null) {
      this.displayFrequency = refresh.displayFrequency;
      this.cents = refresh.cents;
    }
    if (refresh.readout) {
      this.texts['readout.note'] = refresh.readout.noteShown;
      this.texts['readout.frequency'] = this.localNumber(refresh.readout.frequency);
      this.texts['readout.cents'] = this.localNumber(refresh.readout.cents);
    }
    this.requestDraw();
  }

  /** Nothing heard for a while: the meter dims and the LEDs go out. */
  showStaleReading() {
    this.meterBright = false;
    this.litLeds = 0;
    this.requestDraw();
  }

  /** @param {{x: number, y: number}} point */
  moveNeedle(point) {
    this.needleFrom = { ...this.needle };
    this.needleTo = { x: point.x, y: point.y };
    this.needleStart = performance.now();
  }

  requestDraw() {
    if (this.drawPending) return;
    this.drawPending = true;
    requestAnimationFrame((now) => {
      this.drawPending = false;
      this.draw(now);
    });
  }

  /** @param {number} now */
  draw(now) {
    const t = Math.min(1, (now - this.needleStart) / NEEDLE_MOVE_MS);
    this.needle = {
      x: this.needleFrom.x + (this.needleTo.x - this.needleFrom.x) * t,
      y: this.needleFrom.y + (this.needleTo.y - this.needleFrom.y) * t,
    };
    const g = this.context;
    const ratio = this.pixelRatio || 1;
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.clearRect(0, 0, this.canvas.width, this.canvas.height);
    g.setTransform(
      ratio * this.scale, 0, 0, ratio * this.scale,
      ratio * (this.offsetX || 0), ratio * (this.offsetY || 0),
    );
    g.imageSmoothingQuality = 'high';
    for (const sprite of this.plan.sprites) this.drawSprite(sprite);
    for (const label of this.plan.labels) this.drawLabel(label);
    const frames = (Number(this.canvas.dataset.drawn) || 0) + 1;
    if (frames === 1) performance.mark('ovra-first-frame');
    this.canvas.dataset.drawn = String(frames);
    if (t < 1) this.requestDraw();
  }

  /**
   * The picture a sprite shows now, by the same rules as the desktop's views.
   * @param {Sprite} sprite
   * @returns {string | undefined}
   */
  modifierOf(sprite) {
    const selected = sprite.index === this.activeString;
    switch (sprite.item) {
      case 'tuningkey':
      case 'string':
        if (!selected) return 'unpressed';
        return this.automatic ? 'magic' : 'pressed';
      case 'autoswitchkey':
        return this.automatic ? 'pressed' : 'unpressed';
      case 'aboutbutton':
        return this.gearPressed ? 'pressed' : 'unpressed';
      case 'ampmeterled':
        return sprite.index + 1 <= this.litLeds ? 'pressed' : 'unpressed';
      case 'pitchmeter':
      case 'pitchneedle':
        return this.meterBright ? 'bright' : 'dim';
      default:
        return sprite.images.dim !== undefined ? 'dim' : '';
    }
  }

  /** @param {Sprite} sprite */
  drawSprite(sprite) {
    const modifier = this.modifierOf(sprite);
    const file = modifier !== undefined ? sprite.images[modifier] : undefined;
    const picture = file !== undefined ? this.picture(file) : undefined;
    if (!picture) return;
    const at = sprite.item === 'pitchneedle' ? this.needle : sprite;
    const bitmap = file !== undefined ? this.scaled.get(file) : undefined;
    if (bitmap) {
      // On the device's pixel grid, at the bitmap's own size.
      const g = this.context;
      const ratio = this.pixelRatio || 1;
      g.save();
      g.setTransform(1, 0, 0, 1, 0, 0);
      g.drawImage(bitmap,
        Math.round(((this.offsetX || 0) + at.x * this.scale) * ratio),
        Math.round(((this.offsetY || 0) + at.y * this.scale) * ratio));
      g.restore();
      return;
    }
    this.context.drawImage(picture.image, at.x, at.y, picture.width, picture.height);
  }

  /**
   * @param {Label} label
   * @returns {string}
   */
  textOf(label) {
    if (label.item === 'stringlabel') return this.stringNames[label.index] ?? '';
    return this.texts[label.item] ?? '';
  }

  /**
   * Whether a label shows its dim colour: the readout with the meter, a
   * string's name unless its string is chosen.
   * @param {Label} label
   */
  isDimmed(label) {
    if (label.item === 'stringlabel') return label.index !== this.activeString;
    if (label.item.startsWith('readout.')) return !this.meterBright;
    return false;
  }

  /** @param {Label} label */
  drawLabel(label) {
    const text = this.textOf(label);
    if (!text) return;
    const g = this.context;
    g.fillStyle = cssColor(this.isDimmed(label) ? label.dim : label.bright);
    g.textBaseline = 'middle';
    g.textAlign = label.align === 'center' ? 'center' : label.align === 'right' ? 'right' : 'left';
    const x = label.align === 'center' ? label.x + label.width / 2
      : label.align === 'right' ? label.x + label.width : label.x;
    const { size, lines } = this.layOut(label, text);
    g.font = fontOf(size);
    const lineHeight = size * 1.15;
    const top = label.y + (label.height - lines.length * lineHeight) / 2 + lineHeight / 2;
    g.save();
    g.beginPath();
    g.rect(label.x, label.y, label.width, label.height);
    g.clip();
    lines.forEach((line, i) => g.fillText(line, x, top + i * lineHeight));
    g.restore();
  }

  /**
   * Words wrap inside the frame; a long sentence (an error on the status
   * line) shrinks until it fits rather than being cut off. Measured once
   * per label and text, not every frame.
   * @param {Label} label
   * @param {string} text
   * @returns {{size: number, lines: string[]}}
   */
  layOut(label, text) {
    const key = `${label.item}.${label.index}`;
    const known = this.textLayouts.get(key);
    if (known?.text === text) return known;
    let size = label.fontSize;
    let lines = this.wrap(text, label.width, size);
    while (lines.length * size * 1.15 > label.height && size > MIN_STATUS_FONT) {
      size -= 0.5;
      lines = this.wrap(text, label.width, size);
    }
    const layout = { text, size, lines };
    this.textLayouts.set(key, layout);
    return layout;
  }

  /**
   * @param {string} text
   * @param {number} width
   * @param {number} size
   * @returns {string[]}
   */
  wrap(text, width, size) {
    const g = this.context;
    g.font = fontOf(size);
    /** @type {string[]} */
    const lines = [];
    for (const word of text.split(/\s+/)) {
      const last = lines.length - 1;
      if (last >= 0 && g.measureText(`${lines[last]} ${word}`).width <= width) {
        lines[last] = `${lines[last]} ${word}`;
      } else {
        lines.push(word);
      }
    }
    return lines;
  }

  /**
   * The key or button under a point of the page, if any.
   * @param {number} clientX
   * @param {number} clientY
   * @returns {Hit | null}
   */
  hitTest(clientX, clientY) {
    const box = this.canvas.getBoundingClientRect();
    const x = (clientX - box.left - (this.offsetX || 0)) / this.scale;
    const y = (clientY - box.top - (this.offsetY || 0)) / this.scale;
    // Front to back: the top-most picture takes the touch.
    for (const sprite of [...this.plan.sprites].reverse()) {
      const kind = sprite.item === 'aboutbutton' ? 'gear'
        : sprite.item === 'tuningkey' || sprite.item === 'autoswitchkey' ? 'key' : null;
      if (!kind) continue;
      const file = sprite.images.unpressed ?? sprite.images[''];
      const picture = file !== undefined ? this.picture(file) : undefined;
      if (!picture) continue;
      if (x >= sprite.x && x < sprite.x + picture.width && y >= sprite.y && y < sprite.y + picture.height) {
        return { kind, index: sprite.item === 'autoswitchkey' ? this.magicKey : sprite.index };
      }
    }
    return null;
  }

  /** The state the desktop writes beside its screenshot, field for field. */
  state() {
    const shown = (/** @type {string} */ item) => this.texts[item] ?? '';
    return {
      active_string: this.activeString,
      automatic: this.automatic,
      needle_x: this.needleTo.x,
      needle_y: this.needleTo.y,
      meter_bright: this.meterBright,
      lit_leds: this.litLeds,
      display_hz: this.displayFrequency,
      cents: this.cents,
      status: shown('statusline'),
      tuning_caption: shown('tuningcaption'),
      note: shown('readout.note'),
      frequency_text: shown('readout.frequency'),
      cents_text: shown('readout.cents'),
      readout_bright: this.meterBright,
      string_labels: [...this.stringNames],
      lit_label: this.activeString,
    };
  }
}
