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

/// Points the OpenXR loader of this process at a runtime manifest (which may
/// be missing) for the life of the object: through XR_RUNTIME_JSON, and in an
/// elevated process, whose loader ignores that variable (every process under
/// wine is elevated), through the machine's registered runtime, which is put
/// back afterwards. Tests that use it must not run beside other headset tests.
class ScopedOpenXrRuntime {
public:
    explicit ScopedOpenXrRuntime(const std::string& manifest)
        : env_("XR_RUNTIME_JSON", manifest), registry_(processIsElevated())
    {
        if (registry_) {
            old_ = registeredOpenXrRuntime();
            registry_ = registerOpenXrRuntime(manifest);
        }
    }
    ~ScopedOpenXrRuntime()
    {
        if (registry_)
            registerOpenXrRuntime(old_);
    }
    ScopedOpenXrRuntime(const ScopedOpenXrRuntime&) = delete;
    ScopedOpenXrRuntime& operator=(const ScopedOpenXrRuntime&) = delete;

    /// False when the runtime could not be changed (an elevated process that
    /// may not write the machine's registry).
    bool taken() const { return !processIsElevated() || registry_; }

private:
    ScopedEnv env_;
    bool registry_;
    std::optional<std::string> old_;
};
