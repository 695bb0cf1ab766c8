#include "scene3d/platform/xfile/StandardTemplates.h"

#include <span>
#include <stdexcept>

#include "scene3d/platform/xfile/XParser.h"
#include "scene3d/platform/xfile/XTextLexer.h"

namespace bw {

namespace {

struct TemplateId {
    std::string_view templateName;
    std::string_view id;
};

constexpr TemplateId templateIds[] = {
    {"Header", "TID_DXFILEHeader"},
    {"Vector", "TID_D3DRMVector"},
    {"Coords2d", "TID_D3DRMCoords2d"},
    {"Matrix4x4", "TID_D3DRMMatrix4x4"},
    {"ColorRGBA", "TID_D3DRMColorRGBA"},
    {"ColorRGB", "TID_D3DRMColorRGB"},
    {"IndexedColor", "TID_D3DRMIndexedColor"},
    {"Boolean", "TID_D3DRMBoolean"},
    {"Boolean2d", "TID_D3DRMBoolean2d"},
    {"MaterialWrap", "TID_D3DRMMaterialWrap"},
    {"TextureFilename", "TID_D3DRMTextureFilename"},
    {"Material", "TID_D3DRMMaterial"},
    {"MeshFace", "TID_D3DRMMeshFace"},
    {"MeshFaceWraps", "TID_D3DRMMeshFaceWraps"},
    {"MeshTextureCoords", "TID_D3DRMMeshTextureCoords"},
    {"MeshMaterialList", "TID_D3DRMMeshMaterialList"},
    {"MeshNormals", "TID_D3DRMMeshNormals"},
    {"MeshVertexColors", "TID_D3DRMMeshVertexColors"},
    {"Mesh", "TID_D3DRMMesh"},
    {"FrameTransformMatrix", "TID_D3DRMFrameTransformMatrix"},
    {"Frame", "TID_D3DRMFrame"},
    {"FloatKeys", "TID_D3DRMFloatKeys"},
    {"TimedFloatKeys", "TID_D3DRMTimedFloatKeys"},
    {"AnimationKey", "TID_D3DRMAnimationKey"},
    {"AnimationOptions", "TID_D3DRMAnimationOptions"},
    {"Animation", "TID_D3DRMAnimation"},
    {"AnimationSet", "TID_D3DRMAnimationSet"},
    {"InlineData", "TID_D3DRMInlineData"},
    {"Url", "TID_D3DRMUrl"},
    {"ProgressiveMesh", "TID_D3DRMProgressiveMesh"},
    {"Guid", "TID_D3DRMGuid"},
    {"StringProperty", "TID_D3DRMStringProperty"},
    {"PropertyBag", "TID_D3DRMPropertyBag"},
    {"ExternalVisual", "TID_D3DRMExternalVisual"},
    {"RightHanded", "TID_D3DRMRightHanded"},
    {"VertexDuplicationIndices", "DXFILEOBJ_VertexDuplicationIndices"},
    {"XSkinMeshHeader", "DXFILEOBJ_XSkinMeshHeader"},
    {"SkinWeights", "DXFILEOBJ_SkinWeights"},
    {"FVFData", "DXFILEOBJ_FVFData"},
    {"AnimTicksPerSecond", "DXFILEOBJ_AnimTicksPerSecond"},
};

constexpr std::string_view standardTemplateText = R"(
template Header { <3D82AB43-62DA-11cf-AB39-0020AF71E433> WORD major; WORD minor; DWORD flags; }
template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }
template Coords2d { <F6F23F44-7686-11cf-8F52-0040333594A3> FLOAT u; FLOAT v; }
template Matrix4x4 { <F6F23F45-7686-11cf-8F52-0040333594A3> array FLOAT matrix[16]; }
template ColorRGBA { <35FF44E0-6C7C-11cf-8F52-0040333594A3> FLOAT red; FLOAT green; FLOAT blue; FLOAT alpha; }
template ColorRGB { <D3E16E81-7835-11cf-8F52-0040333594A3> FLOAT red; FLOAT green; FLOAT blue; }
template IndexedColor { <1630B820-7842-11cf-8F52-0040333594A3> DWORD index; ColorRGBA indexColor; }
template Boolean { <4885AE61-78E8-11cf-8F52-0040333594A3> WORD truefalse; }
template Boolean2d { <4885AE63-78E8-11cf-8F52-0040333594A3> Boolean u; Boolean v; }
template MaterialWrap { <4885AE60-78E8-11cf-8F52-0040333594A3> Boolean u; Boolean v; }
template TextureFilename { <A42790E1-7810-11cf-8F52-0040333594A3> STRING filename; }
template Material {
  <3D82AB4D-62DA-11cf-AB39-0020AF71E433>
  ColorRGBA faceColor; FLOAT power; ColorRGB specularColor; ColorRGB emissiveColor; [...]
}
template MeshFace {
  <3D82AB5F-62DA-11cf-AB39-0020AF71E433>
  DWORD nFaceVertexIndices; array DWORD faceVertexIndices[nFaceVertexIndices];
}
template MeshFaceWraps {
  <4885AE62-78E8-11cf-8F52-0040333594A3>
  DWORD nFaceWrapValues; array Boolean2d faceWrapValues[nFaceWrapValues];
}
template MeshTextureCoords {
  <F6F23F40-7686-11cf-8F52-0040333594A3>
  DWORD nTextureCoords; array Coords2d textureCoords[nTextureCoords];
}
template MeshMaterialList {
  <F6F23F42-7686-11cf-8F52-0040333594A3>
  DWORD nMaterials; DWORD nFaceIndexes; array DWORD faceIndexes[nFaceIndexes];
  [Material <3D82AB4D-62DA-11cf-AB39-0020AF71E433>]
}
template MeshNormals {
  <F6F23F43-7686-11cf-8F52-0040333594A3>
  DWORD nNormals; array Vector normals[nNormals];
  DWORD nFaceNormals; array MeshFace faceNormals[nFaceNormals];
}
template MeshVertexColors {
  <1630B821-7842-11cf-8F52-0040333594A3>
  DWORD nVertexColors; array IndexedColor vertexColors[nVertexColors];
}
template Mesh {
  <3D82AB44-62DA-11cf-AB39-0020AF71E433>
  DWORD nVertices; array Vector vertices[nVertices];
  DWORD nFaces; array MeshFace faces[nFaces];
  [...]
}
template FrameTransformMatrix { <F6F23F41-7686-11cf-8F52-0040333594A3> Matrix4x4 frameMatrix; }
template Frame { <3D82AB46-62DA-11cf-AB39-0020AF71E433> [...] }
template FloatKeys { <10DD46A9-775B-11cf-8F52-0040333594A3> DWORD nValues; array FLOAT values[nValues]; }
template TimedFloatKeys { <F406B180-7B3B-11cf-8F52-0040333594A3> DWORD time; FloatKeys tfkeys; }
template AnimationKey {
  <10DD46A8-775B-11cf-8F52-0040333594A3>
  DWORD keyType; DWORD nKeys; array TimedFloatKeys keys[nKeys];
}
template AnimationOptions { <E2BF56C0-840F-11cf-8F52-0040333594A3> DWORD openclosed; DWORD positionquality; }
template Animation { <3D82AB4F-62DA-11cf-AB39-0020AF71E433> [...] }
template AnimationSet { <3D82AB50-62DA-11cf-AB39-0020AF71E433> [Animation <3D82AB4F-62DA-11cf-AB39-0020AF71E433>] }
template InlineData { <3A23EEA0-94B1-11d0-AB39-0020AF71E433> [BINARY] }
template Url { <3A23EEA1-94B1-11d0-AB39-0020AF71E433> DWORD nUrls; array STRING urls[nUrls]; }
template ProgressiveMesh { <8A63C360-997D-11d0-941C-0080C80CFA7B> [Url <3A23EEA1-94B1-11d0-AB39-0020AF71E433>, InlineData <3A23EEA0-94B1-11d0-AB39-0020AF71E433>] }
template Guid { <A42790E0-7810-11cf-8F52-0040333594A3> DWORD data1; WORD data2; WORD data3; array UCHAR data4[8]; }
template StringProperty { <7F0F21E0-BFE1-11d1-82C0-00A0C9697271> STRING key; STRING value; }
template PropertyBag { <7F0F21E1-BFE1-11d1-82C0-00A0C9697271> [StringProperty <7F0F21E0-BFE1-11d1-82C0-00A0C9697271>] }
template ExternalVisual { <98116AA0-BDBA-11d1-82C0-00A0C9697271> Guid guidExternalVisual; [...] }
template RightHanded { <7F5D5EA0-D53A-11d1-82C0-00A0C9697271> DWORD bRightHanded; }
template VertexDuplicationIndices {
  <B8D65549-D7C9-4995-89CF-53A9A8B031E3>
  DWORD nIndices; DWORD nOriginalVertices; array DWORD indices[nIndices];
}
template XSkinMeshHeader {
  <3CF169CE-FF7C-44AB-93C0-F78F62D172E2>
  WORD nMaxSkinWeightsPerVertex; WORD nMaxSkinWeightsPerFace; WORD nBones;
}
template SkinWeights {
  <6F0D123B-BAD2-4167-A0D0-80224F25FABB>
  STRING transformNodeName; DWORD nWeights; array DWORD vertexIndices[nWeights];
  array FLOAT weights[nWeights]; Matrix4x4 matrixOffset;
}
template FVFData { <B6E70A0E-8EF9-4E83-94AD-ECC8B0C04897> DWORD dwFVF; DWORD nDWords; array DWORD data[nDWords]; }
template AnimTicksPerSecond { <9E415A43-7BA6-4A73-8743-B73D47E88476> DWORD AnimTicksPerSecond; }
)";

XTemplateSet parseStandardTemplates() {
    XTemplateSet set;
    XObjectIndex index;
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(standardTemplateText.data()), standardTemplateText.size());
    XTextLexer lexer(bytes);
    XParser parser(lexer, set, index);
    if (parser.nextTopLevelObject()) throw std::logic_error("standard templates contain a data object");
    return set;
}

} // namespace

const XTemplateSet& standardTemplates() {
    static const XTemplateSet set = parseStandardTemplates();
    return set;
}

std::string_view standardTemplateId(std::string_view templateName) {
    for (const auto& t : templateIds)
        if (t.templateName == templateName) return t.id;
    for (const auto& t : templateIds)
        if (equalsIgnoringCase(t.templateName, templateName)) return t.id;
    return {};
}

} // namespace bw
