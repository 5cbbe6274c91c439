#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <utility>

/// Runs action and returns what it wrote to standard output (std::cout and C
/// stdio alike; the capture works on the file descriptor).
template <class Action>
std::string captureStdout(Action&& action)
{
    std::cout.flush();
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    std::forward<Action>(action)();
    std::cout.flush();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}
