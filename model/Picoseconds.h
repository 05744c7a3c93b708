#pragma once

#include <QString>

#include <cstdint>

// Times of the timing diagram as whole picoseconds. Every series' grid (10 ps up to 10 ns) is
// a whole number of picoseconds, so sums along a sync chain and multiples of the period stay
// exact, where doubles would lose the last steps of a 1000 s delay.
namespace model {

using Picoseconds = std::int64_t;

inline constexpr Picoseconds kPicosecondsPerSecond = 1'000'000'000'000;

// The nearest whole picosecond to a setting in seconds. Exact for every value the instrument
// takes (a double holds up to 8192 s within half a picosecond); NaN gives 0 and magnitudes
// beyond a million seconds are clamped so that no later sum can overflow.
Picoseconds toPicoseconds(double seconds);

// The engineering units the diagram speaks in.
enum class TimeUnit { Nanoseconds, Microseconds, Milliseconds, Seconds };

Picoseconds unitPicoseconds(TimeUnit unit);
QString unitSymbol(TimeUnit unit); // "ns", "µs", "ms", "s"

// The largest unit that the magnitude reaches; nanoseconds below 1 ns.
TimeUnit unitFor(Picoseconds magnitude);

// The exact decimal value in the unit, trailing zeros dropped: 1500000 ps in µs is "1.5 µs";
// the number alone ("1.5") for axis labels that carry the unit once.
QString formatIn(Picoseconds value, TimeUnit unit);
QString numberIn(Picoseconds value, TimeUnit unit);

// formatIn with the unit the value itself calls for: "250 ns", "999.99999999975 s", "0 s".
QString engineeringTime(Picoseconds value);

} // namespace model
