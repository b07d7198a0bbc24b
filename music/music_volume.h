#pragma once
// Conversions between a volume percentage and the player's volume in hundredths
// of a decibel. Both use fast single-precision approximations, so a percentage
// does not always read back as set (75 reads back as 73).

namespace tk {

constexpr int kMusicVolumeMin = -10000;  // silence, in hundredths of a decibel
constexpr int kMusicVolumeMax = 0;       // full volume

// Hundredths of a decibel for a percentage: 2000 * log10(percent / 100),
// truncated toward zero and limited to [-10000, 0]. Only the magnitude of the
// percentage counts (the approximation reads exponent and mantissa).
int musicVolumeFromPercent(int percent);

// Percentage for a volume in hundredths of a decibel: 100 * 10^(volume / 2000),
// truncated to an integer.
int musicPercentFromVolume(int volume);

}  // namespace tk
