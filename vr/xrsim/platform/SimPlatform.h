#pragma once

// What the simulated runtime needs of the platform's GL binding: one
// implementation per platform in platform/, chosen by the build.

namespace xrsim {

/// True when the chain of structures after XrSessionCreateInfo holds this
/// platform's OpenGL graphics binding, naming a context.
bool hasGlBinding(const void* next);

/// The driver's entry point of that name for the current context, or null.
void* glProcAddress(const char* name);

/// True when some GL context is current on this thread.
bool glContextCurrent();

} // namespace xrsim
