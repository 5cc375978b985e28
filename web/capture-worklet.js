// SPDX-License-Identifier: GPL-3.0-or-later
// Runs on the audio thread: gathers the microphone's 128-frame quanta of
// channel 0 into blocks and posts each to the page, which converts them to
// the tuner's rate in the core. Blocks keep the messages few.

const BLOCK_FRAMES = 1024;

class CaptureProcessor extends AudioWorkletProcessor {
  constructor() {
    super();
    this.block = new Float32Array(BLOCK_FRAMES);
    this.fill = 0;
  }

  /** @param {Float32Array[][]} inputs */
  process(inputs) {
    const channel = inputs[0]?.[0];
    if (channel) {
      let read = 0;
      while (read < channel.length) {
        const taken = Math.min(channel.length - read, BLOCK_FRAMES - this.fill);
        this.block.set(channel.subarray(read, read + taken), this.fill);
        this.fill += taken;
        read += taken;
        if (this.fill === BLOCK_FRAMES) {
          this.port.postMessage(this.block, [this.block.buffer]);
          this.block = new Float32Array(BLOCK_FRAMES);
          this.fill = 0;
        }
      }
    }
    return true;
  }
}

registerProcessor('ovra-capture', CaptureProcessor);
