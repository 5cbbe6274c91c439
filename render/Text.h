#pragma once

#include "Font.h"
#include "TextLayout.h"
#include "VertexBuffers.h"

#include <string>
#include <string_view>

/// A string drawn from a bitmap font, centred on an anchor. The geometry is laid
/// out and uploaded on the first draw after the text changes and reused on every
/// other frame. Drawn with the program, matrix and tint the renderer has set.
/// The font is observed; it must outlive the text.
class TextBlock {
public:
    /// Replaces the text; an unchanged text keeps its geometry.
    void setText(std::string_view text);
    const std::string& text() const { return text_; }

    /// Draws the text; an empty text draws nothing and creates nothing.
    void draw();

protected:
    TextBlock(TextSpace space, std::string text, TextAnchor anchor, float size, const Font& font);

private:
    TextSpace space_;
    std::string text_;
    TextAnchor anchor_;
    float size_;
    const Font* font_;
    bool needsLayout_ = true;
    TextMesh mesh_;
    VertexBuffers buffers_;
};

/// Text in the monitor's pixel space (y downwards); size is the line height in
/// pixels. Uses the 2-D default font unless given another. Makes no GL call.
class Text : public TextBlock {
public:
    Text(std::string text, float x, float y, float size, const Font& font = defaultFont2D());
};

/// Text in the headset's scene (y upwards) in the plane z; size is the line
/// height in scene units. Uses the 3-D default font unless given another.
class Text3D : public TextBlock {
public:
    Text3D(std::string text, float x, float y, float z, float size, const Font& font = defaultFont3D());
};
