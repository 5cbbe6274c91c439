#pragma once

#include "GlName.h"

#include <string>

/// Loads a LIMG file (path relative to the working directory) into a 2-D RGBA
/// texture with linear filtering, repeat wrapping and no mipmaps, and leaves it
/// bound to GL_TEXTURE_2D. A file that cannot be used prints one line to
/// standard output and gives an empty owner (name 0), which callers store and
/// draw like any other texture:
///   "ERROR: unable to read file "<path>""            the file does not open
///   "ERROR: unable to read header of file "<path>""  fewer than 8 bytes
///   "unable to read data <path>"                     the pixel block is missing,
///                                                    short or impossibly large
///   "ERROR: unable to create texture from file "<path>""  the driver refused the
///                                                    size (for example beyond
///                                                    GL_MAX_TEXTURE_SIZE)
/// Needs a current GL context.
[[nodiscard]] GlTexture loadLimg(const std::string& path);

/// A 1 × 1 texture holding one opaque white pixel, with nearest filtering so it
/// is complete without mipmaps. Shows plain squares through the tinting shader.
[[nodiscard]] GlTexture makeWhiteTexture();
