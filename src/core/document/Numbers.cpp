#include "document/Numbers.h"

#include <charconv>

namespace sono {

namespace {
template <class T> std::string shortest(T value) {
    if (value == 0) return "0"; // also turns -0 into "0"
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
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
