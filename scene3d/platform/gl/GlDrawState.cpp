#include "scene3d/platform/gl/GlDrawState.h"

#include <qopengl.h>

namespace bw::gl {

namespace {

std::uint32_t depthFunctionOf(std::uint32_t comparison) {
    switch (comparison) {
    case D3DCMP_NEVER:
        return GL_NEVER;
    case D3DCMP_LESS:
        return GL_LESS;
    case D3DCMP_EQUAL:
        return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
        return GL_LEQUAL;
    case D3DCMP_GREATER:
        return GL_GREATER;
    case D3DCMP_NOTEQUAL:
        return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
        return GL_GEQUAL;
    default: // unknown values pass, as on the reference device
        return GL_ALWAYS;
    }
}

std::uint32_t blendFactorOf(std::uint32_t factor) {
    switch (factor) {
    case D3DBLEND_ZERO:
        return GL_ZERO;
    case D3DBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
        return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
        return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
        return GL_ONE_MINUS_DST_COLOR;
    default:
        return GL_ONE;
    }
}

} // namespace

GlDrawState glDrawStateFor(const RenderStateTable& rs, bool hasDepthBuffer) {
    GlDrawState state;
    state.depthTest = rs[D3DRS_ZENABLE] != D3DZB_FALSE && hasDepthBuffer;
    state.depthWrite = state.depthTest && rs[D3DRS_ZWRITEENABLE] != 0;
    state.depthFunction = depthFunctionOf(rs[D3DRS_ZFUNC]);
    state.blend = rs[D3DRS_ALPHABLENDENABLE] != 0;
    state.sourceFactor = blendFactorOf(rs[D3DRS_SRCBLEND]);
    state.destinationFactor = blendFactorOf(rs[D3DRS_DESTBLEND]);
    // The picture read back looks as OpenGL drew it, so a triangle running counter-
    // clockwise on the screen runs counter-clockwise in OpenGL's window too: a front face.
    // Any value but none or clockwise culls counter-clockwise triangles.
    const std::uint32_t cull = rs[D3DRS_CULLMODE];
    state.cull = cull != D3DCULL_NONE;
    state.cullFace = cull == D3DCULL_CW ? GL_BACK : GL_FRONT;
    return state;
}

} // namespace bw::gl
