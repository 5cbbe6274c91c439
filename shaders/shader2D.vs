#version 330 core
// Attribute locations are fixed for all geometry: 0 position, 2 texture
// coordinate (1 colour and 3 normal are reserved and not fed).
// 2-D geometry feeds only x and y; z then takes the default 0.
layout(location = 0) in vec3 vertex_position;
layout(location = 2) in vec2 vertex_uv;

uniform mat4 M_mvp;

out vec2 uv;

void main()
{
    uv = vertex_uv;
    gl_Position = M_mvp * vec4(vertex_position, 1.0);
}
