// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AnalysisRow.hpp"
#include "AnalyzeOptions.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ovra {

using RowSink = std::function<void(const AnalysisRow&)>;

// Runs 8000 Hz mono samples through the tuner's own path, buffer by buffer:
// the capture callback and detector, then the screen's refresh arithmetic.
// Starts from a fresh capture record, smoother and display state, and hands
// one row per analysed (non-silent) buffer to `sink`. With options.fine the
// record's fine tuning is on and the buffers are the latest 2048 samples
// every FINE_TUNING_HOP_FRAMES samples; a row's time is its buffer's first sample.
void analyzeSamples(const std::string& name, const std::vector<int16_t>& samples,
                    const AnalyzeOptions& options, const RowSink& sink);

// Decodes the file and analyses it. Returns false with `error` set (naming
// the file) when it cannot be read; no row is produced then.
bool analyzeFile(const std::string& path, const AnalyzeOptions& options, const RowSink& sink,
                 std::string& error);

} // namespace ovra
