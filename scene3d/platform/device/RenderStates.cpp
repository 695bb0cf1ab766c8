#include "scene3d/platform/device/RenderStates.h"

namespace bw {

namespace {

struct RenderStateDefault {
    RenderStateType state;
    std::uint32_t value;
};

// States whose start value is not 0.
constexpr RenderStateDefault nonZeroDefaults[] = {
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    {D3DRS_ZWRITEENABLE, 1},
    {D3DRS_LASTPIXEL, 1},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_CLIPPING, 1},
    {D3DRS_LIGHTING, 1},
    {D3DRS_COLORVERTEX, 1},
    {D3DRS_LOCALVIEWER, 1},
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
    {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2},
    {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL},
};

} // namespace

RenderStateTable defaultRenderStates(bool hasAutoDepthBuffer) {
    RenderStateTable table{};
    for (const auto& entry : nonZeroDefaults)
        table[entry.state] = entry.value;
    table[D3DRS_ZENABLE] = hasAutoDepthBuffer ? D3DZB_TRUE : D3DZB_FALSE;
    return table;
}

} // namespace bw
