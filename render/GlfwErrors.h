#pragma once

/// Has GLFW print the reason for every failure it reports on standard error, as
/// "ERROR > GLFW: <GLFW's description> (GLFW error 0x<code>)". Call before
/// glfwInit: a failed init, a display that cannot be opened or a context that
/// cannot be made then always says why.
void reportGlfwErrors();
