/*
 * wait.h - waiting for a condition, with a deadline that names it
 *
 * Tests wait for what they are about (a callback ran, a window shows a new
 * frame, a program ended), never for a fixed time, so that a loaded
 * machine makes them slower but not wrong. The deadline is generous: a
 * passing test never reaches it, and a wait that does fails saying what it
 * waited for.
 */
#ifndef VESTRANE_TEST_WAIT_H
#define VESTRANE_TEST_WAIT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

/* The longest any wait of the harness lasts, in milliseconds. */
constexpr int waitLimitMs = 20000;

/* Checks `done` every `pollMs` (0: without a pause) until it holds, for at
 * most `timeoutMs`. Fails with "gave up after N s waiting for <what>". */
::testing::AssertionResult waitUntil(const std::string& what, const std::function<bool()>& done,
                                     int timeoutMs = waitLimitMs, int pollMs = 10);

#endif
