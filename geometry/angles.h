// Angles in degrees as the panel shows them, and their conversion to and from radians
// with the decimal constant 3.14159265 (not full-precision pi: the rotations and the
// measured directions are defined with it).
#pragma once

constexpr double kPi = 3.14159265;

// Brings an angle into [0, 360] by whole turns, exactly as the loop
//   while (x < 0) x = float(x + 360); while (x > 360) x = float(x - 360);
// would, rounding after every step: 360 stays 360, 720 gives 360, -360 gives 0.
// That loop never ends from 2^33 up (a step no longer changes the float); there the
// exact remainder is taken instead. Infinities, which have no sensible remainder,
// give 0; a NaN passes through unchanged, as it does through the loop.
float NormalizeDegrees(float degrees);

// float((degrees × 3.14159265) / 180.0), the product first.
float DegreesToRadians(float degrees);
// float((radians × 180.0) / 3.14159265), the product first.
float RadiansToDegrees(float radians);
