#pragma once
// The one rule by which a script number becomes a command's argument, for
// every command and every numeric kind:
//
//  - NaN has no value as an ID, a time, a size or a coordinate: the argument
//    reader refuses it with the interpreter's bad-argument message before
//    these functions run (they map it to 0 only to stay total).
//  - Every other number, infinities included, is truncated toward zero (for
//    the integer kinds) and held to the target's range: beyond an end it takes
//    that end. So 2^31, 2^63 and +infinity all give the largest int, and
//    -2^31 - 1, -2^63 and -infinity the smallest.
//
// Unsigned arguments are 32-bit words (colours 0xAARRGGBB): whole numbers from
// -2^31 to 2^32 - 1 give their 32-bit pattern (-1 is 0xFFFFFFFF, as in the
// interpreter's own conversion), numbers beyond those ends take the end.

namespace tk {

int argumentInteger(double number);
unsigned argumentUnsigned(double number);
// Held to ±FLT_MAX, the largest finite floats.
float argumentFloat(double number);

}  // namespace tk
