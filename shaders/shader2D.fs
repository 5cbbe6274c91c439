#version 330 core
// "color" tints the picture: white shows it unchanged, red or blue keep only
// that channel of the (white) letters. Alpha comes from the texture alone.
in vec2 uv;

uniform sampler2D sampler;
uniform vec3 color;

out vec4 fragmentColor;

void main()
{
    fragmentColor = vec4(color, 1.0) * texture(sampler, uv);
}
