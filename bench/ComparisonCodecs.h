#pragma once

#include <cstddef>

// The same work done by liblo and by oscpack, each in a file of its own: oscpack's namespace
// is osc too, and its names must not meet ours in one translation unit.
namespace comparison {

// Each encoder writes "/a/b" with its arguments into buffer and returns the size.
std::size_t libloEncodeFloat(char *buffer, std::size_t capacity, float value);
std::size_t libloEncodeMixed(char *buffer, std::size_t capacity, int i, float f, const char *s);
// Each decoder returns a sum over what it read, so that nothing is optimised away.
double libloDecode(const char *data, std::size_t size);

std::size_t oscpackEncodeFloat(char *buffer, std::size_t capacity, float value);
std::size_t oscpackEncodeMixed(char *buffer, std::size_t capacity, int i, float f, const char *s);
double oscpackDecode(const char *data, std::size_t size);

} // namespace comparison
