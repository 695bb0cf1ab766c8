#include "scene3d/platform/xfile/StandardTemplates.h"

#include <memory_resource>
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
    {"FaceAdjacency", "DXFILEOBJ_FaceAdjacency"},
    {"VertexElement", "DXFILEOBJ_VertexElement"},
    {"DeclData", "DXFILEOBJ_DeclData"},
    {"EffectFloats", "DXFILEOBJ_EffectFloats"},
    {"EffectString", "DXFILEOBJ_EffectString"},
    {"EffectDWord", "DXFILEOBJ_EffectDWord"},
    {"EffectParamFloats", "DXFILEOBJ_EffectParamFloats"},
    {"EffectParamString", "DXFILEOBJ_EffectParamString"},
    {"EffectParamDWord", "DXFILEOBJ_EffectParamDWord"},
    {"EffectInstance", "DXFILEOBJ_EffectInstance"},
    {"Patch", "DXFILEOBJ_Patch"},
    {"PatchMesh", "DXFILEOBJ_PatchMesh"},
    {"PatchMesh9", "DXFILEOBJ_PatchMesh9"},
    {"PMAttributeRange", "DXFILEOBJ_PMAttributeRange"},
    {"PMVSplitRecord", "DXFILEOBJ_PMVSplitRecord"},
    {"PMInfo", "DXFILEOBJ_PMInfo"},
    {"CompressedAnimationSet", "DXFILEOBJ_CompressedAnimationSet"},
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
template FaceAdjacency { <A64C844A-E282-4756-8B80-250CDE04398C> DWORD nIndices; array DWORD indices[nIndices]; }
template VertexElement {
  <F752461C-1E23-48F6-B9F8-8350850F336F>
  DWORD Type; DWORD Method; DWORD Usage; DWORD UsageIndex;
}
template DeclData {
  <BF22E553-292C-4781-9FEA-62BD554BDD93>
  DWORD nElements; array VertexElement Elements[nElements]; DWORD nDWords; array DWORD data[nDWords];
}
template EffectFloats { <F1CFE2B3-0DE3-4E28-AFA1-155A750A282D> DWORD nFloats; array FLOAT Floats[nFloats]; }
template EffectString { <D55B097E-BDB6-4C52-B03D-6051C89D0E42> STRING Value; }
template EffectDWord { <622C0ED0-956E-4DA9-908A-2AF94F3CE716> DWORD Value; }
template EffectParamFloats {
  <3014B9A0-62F5-478C-9B86-E4AC9F4E418B>
  STRING ParamName; DWORD nFloats; array FLOAT Floats[nFloats];
}
template EffectParamString { <1DBC4C88-94C1-46EE-9076-2C28818C9481> STRING ParamName; STRING Value; }
template EffectParamDWord { <E13963BC-AE51-4C5D-B00F-CFA3A9D97CE5> STRING ParamName; DWORD Value; }
template EffectInstance { <E331F7E4-0559-4CC2-8E99-1CEC1657928F> STRING EffectFilename; [...] }
template Patch {
  <A3EB5D44-FC22-429D-9AFB-3221CB9719A6>
  DWORD nControlIndices; array DWORD controlIndices[nControlIndices];
}
template PatchMesh {
  <D02C95CC-EDBA-4305-9B5D-1820D7704BBF>
  DWORD nVertices; array Vector vertices[nVertices]; DWORD nPatches; array Patch patches[nPatches];
  [...]
}
template PatchMesh9 {
  <B9EC94E1-B9A6-4251-BA18-94893F02C0EA>
  DWORD Type; DWORD Degree; DWORD Basis;
  DWORD nVertices; array Vector vertices[nVertices]; DWORD nPatches; array Patch patches[nPatches];
  [...]
}
template PMAttributeRange {
  <917E0427-C61E-4A14-9C64-AFE65F9E9844>
  DWORD iFaceOffset; DWORD nFacesMin; DWORD nFacesMax; DWORD iVertexOffset; DWORD nVerticesMin; DWORD nVerticesMax;
}
template PMVSplitRecord { <574CCC14-F0B3-4333-822D-93E8A8A08E4C> DWORD iFaceCLW; DWORD iVlrOffset; DWORD iCode; }
template PMInfo {
  <B6C3E656-EC8B-4B92-9B62-681659522947>
  DWORD nAttributes; array PMAttributeRange attributeRanges[nAttributes];
  DWORD nMaxValence; DWORD nMinLogicalVertices; DWORD nMaxLogicalVertices;
  DWORD nVSplits; array PMVSplitRecord splitRecords[nVSplits];
  DWORD nAttributeMispredicts; array DWORD attributeMispredicts[nAttributeMispredicts];
}
template CompressedAnimationSet {
  <7F9B00B3-F125-4890-876E-1C42BF697C4D>
  DWORD CompressedBlockSize; FLOAT TicksPerSec; DWORD PlaybackType;
  DWORD BufferLength; array DWORD CompressedData[BufferLength];
}
)";

XTemplateSet parseStandardTemplates() {
    XTemplateSet set;
    XObjectIndex index;
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(standardTemplateText.data()), standardTemplateText.size());
    XTextLexer lexer(bytes);
    std::pmr::monotonic_buffer_resource arena; // for objects, of which there are none
    XParser parser(lexer, set, index, arena);
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
