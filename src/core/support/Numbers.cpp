#include "support/Numbers.h"

#include <charconv>

namespace sono {

namespace {
template <class T> std::string shortest(T value) {
    if (value == 0) return "0"; // also turns -0 into "0"
    // Always plain decimal digits: the shortest form of 100000 would otherwise be "1e+05". The
    // buffer holds the longest such form of a double.
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}
} // namespace

std::string shortestDecimal(double value) {
    return shortest(value);
}
std::string shortestDecimal(float value) {
    return shortest(value);
}

std::string numberText(double value) {
    std::string text = shortestDecimal(value);
    return text[0] == '-' ? text : " " + text;
}

std::string numberText(float value) {
    std::string text = shortestDecimal(value);
    return text[0] == '-' ? text : " " + text;
}

} // namespace sono
