#pragma once

#include <QString>

namespace tarvok {

// The pure rules behind the options page, kept apart from its widgets.

inline constexpr int kEntrySizeMin = 6;  // Slider1 Min, points
inline constexpr int kEntrySizeMax = 24; // Slider1 Max, points

// CountryCode and AreaCode as stored: the digits of the number the text begins with,
// blanks inside it ignored and leading zeros dropped ("0711" gives "711", " 4 9" gives
// "49"); "0" when the text holds no such number.
QString CodeFromText(const QString& text);

// Slider1 is read upside down so that the top is the largest size: size = Min + Max - value.
// A size outside the slider's range (only from an edited file) is clamped; a fractional
// size rounds half to even.
int SliderValueForEntrySize(double entrySize);
int EntrySizeForSliderValue(int value);

} // namespace tarvok
