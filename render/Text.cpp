#include "Text.h"

TextBlock::TextBlock(TextSpace space, std::string text, TextAnchor anchor, float size, const Font& font)
    : space_(space), text_(std::move(text)), anchor_(anchor), size_(size), font_(&font)
{
}

void TextBlock::setText(std::string_view text)
{
    if (text == text_)
        return;
    text_.assign(text);
    needsLayout_ = true;
}

void TextBlock::draw()
{
    if (text_.empty())
        return;
    if (needsLayout_) {
        layoutText(text_, anchor_, size_, font_->metrics, space_, mesh_);
        buffers_.upload(mesh_.positions, mesh_.texCoords);
        needsLayout_ = false;
    }
    if (mesh_.vertexCount() == 0)
        return; // only line breaks
    const GLint components = space_ == TextSpace::screen2D ? 2 : 3;
    buffers_.draw(font_->texture.get(), GL_TRIANGLES, components, static_cast<GLsizei>(mesh_.vertexCount()));
}

Text::Text(std::string text, float x, float y, float size, const Font& font)
    : TextBlock(TextSpace::screen2D, std::move(text), {x, y, 0}, size, font)
{
}

Text3D::Text3D(std::string text, float x, float y, float z, float size, const Font& font)
    : TextBlock(TextSpace::scene3D, std::move(text), {x, y, z}, size, font)
{
}
