#pragma once

#include "platform/TestPlatform.h"

#include <cstdlib>
#include <optional>
#include <string>

/// Sets (or, with nullopt, removes) an environment variable for the life of
/// the object, then puts back what was there. The simulated runtime and the
/// loader read their variables when an instance is created.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name))
    {
        if (const char* old = std::getenv(name_.c_str()))
            old_ = old;
        setEnvironment(name_, value);
    }
    ~ScopedEnv()
    {
        setEnvironment(name_, old_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};
