// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tunings.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

namespace ovra {

// The command-line options both programs share to tune the strings:
// --tuning ID, --a4 HZ and --list-tunings.

// The help lines of the three options, their descriptions starting at
// `descriptionColumn`; `forOneRun` for a program whose stored settings the
// options override.
std::string tuningOptionsUsage(size_t descriptionColumn, bool forOneRun);

// The tuning a --tuning value names; an error message for an unknown one.
std::string parseTuningOption(const std::string& value, const Tuning** tuning);
// The hertz of an --a4 value; an error message unless it is a whole number
// within the reference-pitch range.
std::string parseReferencePitchOption(const std::string& value, int32_t* hertz);

// What --list-tunings prints: one line per tuning with its id, name and notes.
std::string tuningListText();

} // namespace ovra
