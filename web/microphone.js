// SPDX-License-Identifier: GPL-3.0-or-later
// The microphone: getUserMedia without voice processing (it bends a guitar's
// harmonics and level), an AudioContext at the device's own rate and the
// capture worklet. Every way it can fail ends in a sentence for the status
// line (the name of a page text), never in an exception.

// Why listening did not start or stopped: names of page texts (i18n.js).
export const SENTENCES = {
  blocked: 'blocked',
  none: 'none',
  busy: 'busy',
  lost: 'lost',
  insecure: 'insecure',
  noAudio: 'noAudio',
  noWorklet: 'noWorklet',
};

/**
 * @param {unknown} error
 * @returns {string} the page text that says it
 */
export function sentenceForError(error) {
  const name = error instanceof Error || error instanceof DOMException ? error.name : '';
  switch (name) {
    case 'NotAllowedError':
    case 'SecurityError':
      return SENTENCES.blocked;
    case 'NotFoundError':
    case 'OverconstrainedError':
      return SENTENCES.none;
    case 'NotReadableError':
    case 'AbortError':
      return SENTENCES.busy;
    default:
      return SENTENCES.noAudio;
  }
}

export class Microphone {
  /**
   * @param {(block: Float32Array) => void} onBlock samples at `rate`
   * @param {(sentence: string) => void} onLost the microphone went away while listening (a page text's name)
   */
  constructor(onBlock, onLost) {
    this.onBlock = onBlock;
    this.onLost = onLost;
    /** @type {MediaStream | null} */
    this.stream = null;
    /** @type {AudioContext | null} */
    this.context = null;
    this.rate = 0;
  }

  get listening() {
    return this.stream !== null;
  }

  /**
   * Starts listening; the promise gives '' when it did, or the name of the
   * page text that says why not.
   * @returns {Promise<string>}
   */
  async start() {
    if (this.stream) return '';
    if (!window.isSecureContext) return SENTENCES.insecure;
    if (!navigator.mediaDevices?.getUserMedia) return SENTENCES.noAudio;
    if (typeof AudioWorkletNode === 'undefined') return SENTENCES.noWorklet;
    /** @type {MediaStream | null} */
    let stream = null;
    try {
      stream = await navigator.mediaDevices.getUserMedia({
        audio: { echoCancellation: false, noiseSuppression: false, autoGainControl: false },
      });
      const context = new AudioContext();
      await context.audioWorklet.addModule(new URL('./capture-worklet.js', import.meta.url));
      const source = context.createMediaStreamSource(stream);
      const node = new AudioWorkletNode(context, 'ovra-capture', {
        numberOfInputs: 1, numberOfOutputs: 0, channelCount: 1, channelCountMode: 'explicit',
      });
      node.port.onmessage = (event) => this.onBlock(event.data);
      source.connect(node);
      await context.resume();
      for (const track of stream.getAudioTracks()) {
        track.addEventListener('ended', () => {
          this.stop();
          this.onLost(SENTENCES.lost);
        });
      }
      this.stream = stream;
      this.context = context;
      this.rate = context.sampleRate;
      return '';
    } catch (error) {
      stream?.getTracks().forEach((track) => track.stop());
      return sentenceForError(error);
    }
  }

  /** Releases the microphone, so the browser's recording indicator goes off. */
  stop() {
    this.stream?.getTracks().forEach((track) => track.stop());
    this.context?.close().catch(() => {});
    this.stream = null;
    this.context = null;
  }
}
