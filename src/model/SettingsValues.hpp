// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The settings every front end stores: their keys, defaults and ranges, and
// the volume slider's arithmetic, so the desktop's preference file and the
// browser's storage agree on every value.
namespace ovra::settings {

inline constexpr int32_t DEFAULT_VOLUME_THRESHOLD = 500;
inline constexpr int32_t MIN_VOLUME_THRESHOLD = 50;
inline constexpr int32_t MAX_VOLUME_THRESHOLD = 1000;
inline constexpr int32_t DEFAULT_GREEN_ZONE_WIDTH = 10;

inline constexpr const char* KEY_VOLUME_THRESHOLD = "ovratuner.volumethreshold";
inline constexpr const char* KEY_GREEN_ZONE_CENTS_WIDTH = "ovratuner.greenzonewidth";
inline constexpr const char* KEY_HYPERACTIVITY_MODE = "ovratuner.hyperactivity";
inline constexpr const char* KEY_SELECTED_TUNING_KEY_INDEX = "ovratuner.tuningkeyselected";
inline constexpr const char* KEY_TUNING = "ovratuner.tuning";
inline constexpr const char* KEY_REFERENCE_PITCH = "ovratuner.referencepitch";
inline constexpr const char* KEY_FINE_TUNING = "ovratuner.finetuning";

// The volume threshold is the raw peak power a reading must exceed to count
// as loud. The slider shows it as a sensitivity: 0.0 is the threshold 1000,
// 1.0 is 50.
// 1 - (threshold - 50) / (1000 - 50), in single precision.
float sensitivityOfThreshold(int32_t threshold);
// 1000 - (int)((1000 - 50) * sensitivity), truncated toward zero.
int32_t thresholdOfSensitivity(float sensitivity);

} // namespace ovra::settings
