/*
 * wait.cpp - waiting for a condition, with a deadline that names it
 *
 * Depends on: GoogleTest (the failure message).
 */
#include "tests/harness/wait.h"

#include <chrono>
#include <thread>

::testing::AssertionResult waitUntil(const std::string& what, const std::function<bool()>& done,
                                     int timeoutMs, int pollMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return ::testing::AssertionFailure()
                   << "gave up after " << timeoutMs / 1000.0 << " s waiting for " << what;
        }
        // The pause between two checks, within the deadline (not a wait
        // for a time): it leaves the processor to the program watched.
        if (pollMs > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
        }
    }
    return ::testing::AssertionSuccess();
}
