#pragma once
// Two jobs that share nothing, at the same time: `second` on a thread of its own, `first` on the
// caller's. Where no thread can be had they run one after the other. An exception of either is
// passed on once both have ended.
#include <exception>
#include <system_error>
#include <thread>

namespace sono {

template <class First, class Second> void sideBySide(First&& first, Second&& second) {
    std::exception_ptr secondFailed;
    std::jthread helper;
    try {
        helper = std::jthread([&] {
            try {
                second();
            } catch (...) {
                secondFailed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        first();
        second();
        return;
    }
    first(); // should it throw, the helper is joined on the way out
    helper.join();
    if (secondFailed) std::rethrow_exception(secondFailed);
}

} // namespace sono
