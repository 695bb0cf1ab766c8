#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <tuple>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/mesh/MeshAdjacency.h"
#include "scene3d/platform/mesh/MeshBounds.h"
#include "scene3d/platform/mesh/MeshLayoutCopy.h"
#include "scene3d/platform/mesh/MeshNormals.h"
#include "scene3d/platform/mesh/MeshOptimizer.h"
#include "scene3d/platform/mesh/XMeshLoader.h"
#include "tests/scene3d/XFileTestSupport.h"

namespace bw {
namespace {

using test::bytesOf;
using test::readAll;
using test::readTestFile;

// Loads the first Mesh object of a text body (header added here).
LoadedMesh loadText(const std::string& body) {
    XFile file = XFile::fromBytes(bytesOf("xof 0302txt 0032\n" + body));
    for (const XDataObject* o : readAll(file))
        if (o->templateName == "TID_D3DRMMesh") return loadMeshFromXObject(*o);
    throw std::runtime_error("no mesh");
}

ResultCode loadFailure(const std::string& body) {
    try {
        loadText(body);
    } catch (const PlatformError& e) {
        return e.code();
    }
    return result::ok;
}

LoadedMesh loadCube() {
    XFile file = XFile::fromBytes(readTestFile("cube.x"));
    const auto objects = readAll(file);
    return loadMeshFromXObject(objects[3]->children[1].object());
}

void expectNear(Vector3 expected, Vector3 actual, float tolerance = 1e-5f) {
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

const std::string cubeWithoutNormals = R"(Mesh {
  8; -1;-1;-1;, -1;1;-1;, 1;1;-1;, 1;-1;-1;, -1;-1;1;, -1;1;1;, 1;1;1;, 1;-1;1;;
  6; 4;0,1,2,3;, 4;7,6,5,4;, 4;4,5,1,0;, 4;3,2,6,7;, 4;1,5,6,2;, 4;4,0,3,7;;
})";

TEST(MeshLoading, TheCubeSplitsVerticesByNormalAndFansItsQuads) {
    const LoadedMesh cube = loadCube();
    const Mesh& mesh = cube.mesh;
    EXPECT_EQ(274u, mesh.fvf());
    EXPECT_EQ(32u, mesh.vertexSize());
    EXPECT_EQ(24u, mesh.vertexCount()); // each corner meets three faces with three normals
    EXPECT_EQ(12u, mesh.faceCount());
    EXPECT_EQ(2u, mesh.subsetCount());
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 1, 2}), mesh.face(0));
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 2, 3}), mesh.face(1));
    // Faces 0-3 of the file are the red material's, 4-5 the wood's: eight triangles, then four.
    ASSERT_EQ(2u, mesh.attributeTable().size());
    EXPECT_EQ(0u, mesh.attributeTable()[0].attributeId);
    EXPECT_EQ(8u, mesh.attributeTable()[0].faceCount);
    EXPECT_EQ(1u, mesh.attributeTable()[1].attributeId);
    EXPECT_EQ(8u, mesh.attributeTable()[1].faceStart);
    EXPECT_EQ(4u, mesh.attributeTable()[1].faceCount);

    // Every corner carries its face's normal, and the file's winding faces outwards.
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const auto c = mesh.face(f);
        const Vector3 n = faceNormal(mesh.position(c[0]), mesh.position(c[1]), mesh.position(c[2]));
        EXPECT_GT(dot(n, mesh.position(c[0])), 0.0f) << "face " << f;
        for (std::uint32_t v : c)
            expectNear(n, mesh.normal(v));
    }
    // Copies keep the texture coordinates of the file vertex they came from.
    std::map<std::tuple<float, float, float>, std::pair<float, float>> uvAt;
    for (std::uint32_t v = 0; v < mesh.vertexCount(); ++v) {
        const Vector3 p = mesh.position(v);
        const float* uv = mesh.vertexData().data() + std::size_t{v} * 8 + 6;
        const auto [it, added] = uvAt.try_emplace({p.x, p.y, p.z}, uv[0], uv[1]);
        EXPECT_EQ(it->second, std::pair(uv[0], uv[1])) << "vertex " << v;
    }
    EXPECT_EQ(8u, uvAt.size());
    EXPECT_EQ(std::pair(0.0f, 1.0f), (uvAt[{-1.0f, -1.0f, -1.0f}]));
}

TEST(MeshLoading, MaterialBufferHoldsColoursPowerAndTextureNames) {
    const LoadedMesh cube = loadCube();
    ASSERT_EQ(2u, cube.materials.size());
    const Material& red = cube.materials[0].material;
    EXPECT_EQ((ColorValue{1, 0, 0, 1}), red.diffuse);
    EXPECT_EQ((ColorValue{0, 0, 0, 0}), red.ambient);
    EXPECT_EQ((ColorValue{0.5f, 0.5f, 0.5f, 1}), red.specular);
    EXPECT_EQ((ColorValue{0, 0, 0, 1}), red.emissive);
    EXPECT_EQ(8.0f, red.power);
    EXPECT_EQ("", cube.materials[0].textureFilename);
    EXPECT_EQ((ColorValue{0.6f, 0.4f, 0.2f, 0.5f}), cube.materials[1].material.diffuse);
    EXPECT_EQ("wood.bmp", cube.materials[1].textureFilename);
}

TEST(MeshLoading, AdjacencyOfAClosedCubeIsCompleteAndMutual) {
    const LoadedMesh cube = loadCube();
    ASSERT_EQ(36u, cube.adjacency.size());
    EXPECT_EQ(cube.adjacency, generateAdjacency(cube.mesh));
    for (std::uint32_t f = 0; f < 12; ++f) {
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t g = cube.adjacency[f * 3 + k];
            ASSERT_NE(noAdjacentFace, g);
            EXPECT_NE(f, g);
            const auto back = cube.adjacency.begin() + g * 3;
            EXPECT_NE(back + 3, std::find(back, back + 3, f)) << f << " -> " << g;
        }
    }
    // The first triangle's diagonal (corner 2 to 0) borders the second triangle.
    EXPECT_EQ(1u, cube.adjacency[2]);
    // A lone triangle has no neighbours.
    const LoadedMesh lone = loadText("Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; }");
    EXPECT_EQ((std::vector<std::uint32_t>{noAdjacentFace, noAdjacentFace, noAdjacentFace}), lone.adjacency);
}

TEST(MeshLoading, PolygonsShortMaterialListsAndMissingParts) {
    const LoadedMesh pentagon = loadText(R"(Mesh {
      5; 0;0;0;, 0;1;0;, 1;2;0;, 2;1;0;, 2;0;0;;
      1; 5;0,1,2,3,4;;
      MeshMaterialList { 1; 1; 0;; Material { 0.2;0.3;0.4;1;; 5; 0;0;0;; 0;0;0;; } }
    })");
    EXPECT_EQ(fvf::xyz, pentagon.mesh.fvf());
    ASSERT_EQ(3u, pentagon.mesh.faceCount());
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 1, 2}), pentagon.mesh.face(0));
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 2, 3}), pentagon.mesh.face(1));
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 3, 4}), pentagon.mesh.face(2));
    EXPECT_EQ(1u, pentagon.materials.size());
    EXPECT_EQ(1u, pentagon.mesh.subsetCount());

    // Triangles read in runs up to a polygon, which fans, then triangles again; the
    // normals' faces keep the same shapes, and materials follow their faces.
    const LoadedMesh mixed = loadText(R"(Mesh {
      5; 0;0;0;, 0;1;0;, 1;2;0;, 2;1;0;, 2;0;0;;
      3; 3;0,1,2;, 4;0,2,3,4;, 3;4,3,1;;
      MeshNormals { 1; 0;0;1;; 3; 3;0,0,0;, 4;0,0,0,0;, 3;0,0,0;; }
      MeshMaterialList { 2; 3; 0, 1, 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }
                                         Material { 0;0;0;1;; 0; 0;0;0;; 0;0;0;; } }
    })");
    ASSERT_EQ(4u, mixed.mesh.faceCount());
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 1, 2}), mixed.mesh.face(0));
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 2, 3}), mixed.mesh.face(1));
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 3, 4}), mixed.mesh.face(2));
    EXPECT_EQ((std::array<std::uint32_t, 3>{4, 3, 1}), mixed.mesh.face(3));
    const auto mixedAttributes = mixed.mesh.faceAttributes();
    EXPECT_EQ((std::vector<std::uint32_t>{0, 1, 1, 0}),
              std::vector<std::uint32_t>(mixedAttributes.begin(), mixedAttributes.end()));

    // A short list repeats its last entry.
    const LoadedMesh shortList = loadText(cubeWithoutNormals.substr(0, cubeWithoutNormals.size() - 1) +
                                          "MeshMaterialList { 2; 2; 1, 0;; "
                                          "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } "
                                          "Material { 0;0;0;1;; 0; 0;0;0;; 0;0;0;; } } }");
    const auto attributes = shortList.mesh.faceAttributes();
    EXPECT_EQ((std::vector<std::uint32_t>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              std::vector<std::uint32_t>(attributes.begin(), attributes.end()));

    // A long list: its entries past the faces are checked, and not taken.
    const std::string twoMaterials =
        "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } Material { 0;0;0;1;; 0; 0;0;0;; 0;0;0;; } } }";
    const std::string oneTriangle = "Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; ";
    const LoadedMesh longList = loadText(oneTriangle + "MeshMaterialList { 2; 3; 1, 0, 0;; " + twoMaterials);
    ASSERT_EQ(1u, longList.mesh.faceCount());
    EXPECT_EQ(1u, longList.mesh.faceAttributes()[0]);
    ASSERT_EQ(1u, longList.mesh.attributeTable().size());
    EXPECT_EQ(1u, longList.mesh.attributeTable()[0].attributeId);
    EXPECT_EQ(result::invalidData,
              loadFailure(oneTriangle + "MeshMaterialList { 2; 3; 1, 0, 2;; " + twoMaterials));

    // No material list: one subset, no materials.
    const LoadedMesh bare = loadText(cubeWithoutNormals);
    EXPECT_EQ(8u, bare.mesh.vertexCount());
    EXPECT_TRUE(bare.materials.empty());
    EXPECT_EQ(1u, bare.mesh.subsetCount());
}

TEST(MeshLoading, NormalsFaceByFaceAsTheVerticesAreTakenVertexByVertex) {
    const std::string square = "4; 0;0;0;, 0;1;0;, 1;1;0;, 1;0;0;; 2; 3;0,1,2;, 3;0,2,3;;";
    const std::string normals = "4; 1;0;0;, 0;1;0;, 0;0;1;, 0;0;-1;;";
    const auto normalsOf = [](const LoadedMesh& loaded) {
        std::vector<Vector3> all;
        for (std::uint32_t v = 0; v < loaded.mesh.vertexCount(); ++v)
            all.push_back(loaded.mesh.normal(v));
        return all;
    };

    // The normals' faces are the faces: each vertex keeps its own normal, nothing splits.
    const LoadedMesh same =
        loadText("Mesh { " + square + " MeshNormals { " + normals + " 2; 3;0,1,2;, 3;0,2,3;; } }");
    EXPECT_EQ(fvf::xyz | fvf::normal, same.mesh.fvf());
    EXPECT_EQ((std::vector<Vector3>{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, -1}}), normalsOf(same));
    EXPECT_EQ((std::array<std::uint32_t, 3>{0, 2, 3}), same.mesh.face(1));

    // One corner differs: its vertex is split for it.
    const LoadedMesh oneDiffers =
        loadText("Mesh { " + square + " MeshNormals { " + normals + " 2; 3;0,1,2;, 3;1,2,3;; } }");
    ASSERT_EQ(5u, oneDiffers.mesh.vertexCount());
    EXPECT_EQ((std::array<std::uint32_t, 3>{4, 2, 3}), oneDiffers.mesh.face(1));
    EXPECT_EQ((Vector3{0, 1, 0}), oneDiffers.mesh.normal(4));

    // The same faces over fewer normals than vertices: taken corner by corner.
    const LoadedMesh fewer = loadText("Mesh { 4; 0;0;0;, 0;1;0;, 1;1;0;, 1;0;0;; 2; 3;0,1,2;, 3;0,2,1;; "
                                      "MeshNormals { 3; 1;0;0;, 0;1;0;, 0;0;1;; 2; 3;0,1,2;, 3;0,2,1;; } }");
    EXPECT_EQ(4u, fewer.mesh.vertexCount());
    EXPECT_EQ((Vector3{0, 0, 1}), fewer.mesh.normal(2));
    EXPECT_EQ((Vector3{0, 0, 0}), fewer.mesh.normal(3)); // on no face

    // No faces: a normal listed for the vertex, but given to no corner.
    const LoadedMesh noFaces = loadText("Mesh { 1; 0;0;0;; 0;; MeshNormals { 1; 0;0;1;; 0;; } }");
    EXPECT_EQ(fvf::xyz | fvf::normal, noFaces.mesh.fvf());
    EXPECT_EQ((Vector3{0, 0, 0}), noFaces.mesh.normal(0));
}

TEST(MeshLoading, VertexColoursArePackedArgb) {
    const LoadedMesh mesh = loadText(R"(Mesh {
      3; 0;0;0;, 0;1;0;, 1;0;0;;
      1; 3;0,1,2;;
      MeshVertexColors { 2; 0; 1;0;0;1;;, 2; 0;0;1;0.5;;; }
    })");
    EXPECT_EQ(fvf::xyz | fvf::diffuse, mesh.mesh.fvf());
    const auto colourOf = [&](std::uint32_t v) {
        std::uint32_t c;
        std::memcpy(&c, mesh.mesh.vertexData().data() + v * 4 + 3, 4);
        return c;
    };
    EXPECT_EQ(0xFFFF0000u, colourOf(0));
    EXPECT_EQ(0xFFFFFFFFu, colourOf(1)); // no entry: white
    EXPECT_EQ(0x800000FFu, colourOf(2));
}

TEST(MeshLoading, InconsistentMeshDataFailsWithInvalidData) {
    const std::string triangle = "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;;";
    EXPECT_EQ(result::invalidData, loadFailure("Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,3;; }"));
    EXPECT_EQ(result::invalidData, loadFailure("Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 2;0,1;; }"));
    // An index out of range, or a face shape differing from the normals', after triangles.
    EXPECT_EQ(result::invalidData, loadFailure("Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 2; 3;0,1,2;, 3;0,1,7;; }"));
    EXPECT_EQ(result::invalidData,
              loadFailure("Mesh { 4; 0;0;0;, 0;1;0;, 1;0;0;, 1;1;0;; 2; 3;0,1,2;, "
                          "4;0,1,3,2;; MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; } }"));
    EXPECT_EQ(result::invalidData,
              loadFailure("Mesh { " + triangle + " MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; } }"));
    EXPECT_EQ(result::invalidData,
              loadFailure("Mesh { " + triangle + " MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }"));
    EXPECT_EQ(result::invalidData,
              loadFailure("Mesh { " + triangle + " MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }"));
    EXPECT_EQ(result::invalidData,
              loadFailure("Mesh { " + triangle + " MeshTextureCoords { 2; 0;0;, 1;1;; } }"));
    EXPECT_EQ(result::invalidData,
              loadFailure("Mesh { " + triangle + " MeshVertexColors { 1; 3; 1;1;1;1;;; } }"));
    EXPECT_EQ(result::invalidData, loadFailure("Mesh { " + triangle +
                                               " MeshMaterialList { 1; 1; 1;; "
                                               "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }"));
    EXPECT_EQ(result::invalidData, loadFailure("Mesh { " + triangle +
                                               " MeshMaterialList { 2; 1; 0;; "
                                               "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }"));
    EXPECT_EQ(result::invalidData, loadFailure("Vector V { 1;2;3; } Mesh { " + triangle +
                                               " MeshMaterialList { 1; 1; 0;; { V } } }"));
    EXPECT_EQ(result::notFound,
              loadFailure("Mesh { " + triangle + " MeshMaterialList { 1; 1; 0;; { Gone } } }"));

    XFile file = XFile::fromBytes(bytesOf("xof 0302txt 0032\nVector { 1;2;3; }"));
    try {
        loadMeshFromXObject(*file.nextObject());
        FAIL();
    } catch (const PlatformError& e) {
        EXPECT_EQ(result::invalidCall, e.code());
    }
    EXPECT_THROW(Mesh(fvf::xyz, {0, 0, 0}, {0, 0, 1}, {0}), PlatformError);    // index past the vertices
    EXPECT_THROW(Mesh(fvf::xyz, {0, 0, 0, 1}, {}, {}), PlatformError);         // part of a vertex
    EXPECT_THROW(Mesh(0, {}, {}, {}), PlatformError);                          // no position
    EXPECT_THROW(Mesh(fvf::xyz, {0, 0, 0}, {0, 0, 0}, {0, 0}), PlatformError); // attributes per face
}

TEST(VertexLayouts, SizesAndValidity) {
    EXPECT_EQ(32u, vertexSizeOf(274));
    EXPECT_EQ(24u, vertexSizeOf(0x012));
    EXPECT_EQ(12u, vertexSizeOf(fvf::xyz));
    EXPECT_EQ(20u, vertexSizeOf(fvf::xyzrhw | fvf::diffuse));
    EXPECT_EQ(12u + 8 + 12 + 4 + 4 + 4, vertexSizeOf((fvf::xyzb1 + 2) /* XYZB2 */ | fvf::normal |
                                                     fvf::pointSize | fvf::diffuse | fvf::specular));
    // Two texture sets, the first with three coordinates, the second with one.
    const std::uint32_t twoSets = fvf::xyz | 0x200 | (1u << 16) | (3u << 18);
    EXPECT_EQ(12u + 12 + 4, vertexSizeOf(twoSets));
    const auto layout = *vertexLayoutOf(twoSets);
    EXPECT_EQ(3, layout.texture[0]);
    EXPECT_EQ(6, layout.texture[1]);
    EXPECT_EQ(0u, vertexSizeOf(0));             // no position
    EXPECT_EQ(0u, vertexSizeOf(0x001));         // reserved bit
    EXPECT_EQ(0u, vertexSizeOf(0x002 | 0x900)); // nine texture sets
    EXPECT_EQ(0u, vertexSizeOf(0x002 | 0x4000));
}

TEST(MeshVertices, CopyReadAndWrite) {
    const LoadedMesh cube = loadCube();
    const Mesh noTexture = copyWithLayout(cube.mesh, 0x012);
    EXPECT_EQ(24u, noTexture.vertexSize());
    EXPECT_EQ(cube.mesh.normal(5), noTexture.normal(5));
    EXPECT_EQ(cube.mesh.position(5), noTexture.position(5));
    EXPECT_TRUE(std::ranges::equal(cube.mesh.attributeTable(), noTexture.attributeTable()));
    const Mesh back = copyWithLayout(copyWithLayout(cube.mesh, fvf::xyz), 274);
    EXPECT_EQ(cube.mesh.position(7), back.position(7));
    EXPECT_EQ((Vector3{}), back.normal(7));
    EXPECT_EQ(0.0f, back.vertexData()[7 * 8 + 6]);
    EXPECT_THROW(copyWithLayout(cube.mesh, 0x001), PlatformError);

    // Negate every normal through the byte interface, twice.
    Mesh mesh = cube.mesh;
    for (int pass = 0; pass < 2; ++pass) {
        auto bytes = mesh.readVertexBytes(0, std::size_t{mesh.vertexCount()} * mesh.vertexSize());
        for (std::uint32_t v = 0; v < mesh.vertexCount(); ++v) {
            float n[3];
            std::memcpy(n, bytes.data() + v * 32 + 12, 12);
            for (float& x : n)
                x = -x;
            std::memcpy(bytes.data() + v * 32 + 12, n, 12);
        }
        mesh.writeVertexBytes(0, bytes);
        EXPECT_EQ(pass == 0 ? -cube.mesh.normal(3) : cube.mesh.normal(3), mesh.normal(3));
    }
    EXPECT_THROW(mesh.readVertexBytes(24 * 32 - 4, 8), PlatformError);
    EXPECT_THROW(mesh.writeVertexBytes(24 * 32, std::vector<std::uint8_t>(1)), PlatformError);
    EXPECT_NO_THROW(mesh.writeVertexBytes(24 * 32, {}));
}

TEST(MeshNormals, ComputedFromTheFacesAroundEachVertex) {
    // Shared corners: (-1,-1,-1) is in both front triangles and one each of left and bottom.
    Mesh shared = copyWithLayout(loadText(cubeWithoutNormals).mesh, 274);
    computeNormals(shared);
    expectNear(normalize({-1, -1, -2}), shared.normal(0));
    // Split corners get their own face's normal back.
    const LoadedMesh cube = loadCube();
    Mesh recomputed = cube.mesh;
    for (std::uint32_t v = 0; v < recomputed.vertexCount(); ++v)
        recomputed.setNormal(v, {});
    computeNormals(recomputed);
    for (std::uint32_t v = 0; v < recomputed.vertexCount(); ++v)
        expectNear(cube.mesh.normal(v), recomputed.normal(v));
    Mesh withoutNormals = loadText(cubeWithoutNormals).mesh;
    EXPECT_THROW(computeNormals(withoutNormals), PlatformError);
}

TEST(MeshBounds, SphereAndBox) {
    const LoadedMesh cube = loadCube();
    const BoundingSphere sphere = boundingSphere(cube.mesh);
    expectNear({0, 0, 0}, sphere.centre);
    EXPECT_NEAR(std::sqrt(3.0f), sphere.radius, 1e-6f);
    const BoundingBox box = boundingBox(cube.mesh);
    EXPECT_EQ((Vector3{-1, -1, -1}), box.minimum);
    EXPECT_EQ((Vector3{1, 1, 1}), box.maximum);
    // Off-centre points: the centre is their mean, the radius reaches the farthest.
    const Mesh points(fvf::xyz, {0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0}, {}, {});
    EXPECT_EQ((Vector3{1, 0, 0}), boundingSphere(points).centre);
    EXPECT_EQ(3.0f, boundingSphere(points).radius);
    const Mesh empty(fvf::xyz, {}, {}, {});
    EXPECT_EQ(0.0f, boundingSphere(empty).radius);
    EXPECT_EQ((Vector3{}), boundingBox(empty).maximum);
}

TEST(MeshBounds, TheBoxReachesEveryPositionAndNothingElse) {
    // Each axis has its extremes at another vertex: the first, one between, the last.
    const auto box = [](std::uint32_t code, std::size_t vertices, std::size_t slots) {
        std::vector<float> data(vertices * slots, 1.0e9f); // every slot besides the positions
        for (std::size_t v = 0; v < vertices; ++v)
            for (std::size_t axis = 0; axis < 3; ++axis)
                data[v * slots + axis] = static_cast<float>(v % 3) * 0.5f;
        data[0] = -7;                          // first: lowest x
        data[(vertices / 2) * slots + 1] = 9;  // between: highest y
        data[(vertices - 1) * slots + 2] = -8; // last: lowest z
        data[slots + 2] = 4;                   // second: highest z
        return Mesh(code, data, {}, {}).positionBounds();
    };
    for (const auto& [code, slots] : {std::pair{fvf::xyz, 3}, std::pair{fvf::xyz | fvf::normal, 6}}) {
        for (std::size_t vertices : {3u, 4u, 9u}) {
            SCOPED_TRACE(std::to_string(slots) + " slots, " + std::to_string(vertices) + " vertices");
            const BoundingBox b = box(code, vertices, slots);
            EXPECT_EQ((Vector3{-7, 0, -8}), b.minimum);
            EXPECT_EQ((Vector3{1, 9, 4}), b.maximum);
        }
    }
    const Mesh two(fvf::xyz, {1, 2, 3, -1, 5, 0}, {}, {});
    EXPECT_EQ((Vector3{-1, 2, 0}), two.positionBounds().minimum);
    EXPECT_EQ((Vector3{1, 5, 3}), two.positionBounds().maximum);
}

TEST(MeshAttributeTable, RunsOfEqualAttributesWithTheVerticesTheyUse) {
    // Five vertices; faces with attributes 2,2,0,2: three runs, each with its own range.
    const std::vector<float> vertices(5 * 3, 0.0f);
    const Mesh mesh(fvf::xyz, vertices, {4, 1, 2, 3, 2, 1, 0, 0, 1, 3, 3, 3}, {2, 2, 0, 2});
    const auto table = mesh.attributeTable();
    EXPECT_EQ((std::vector<AttributeRange>{{2, 0, 2, 1, 4}, {0, 2, 1, 0, 2}, {2, 3, 1, 3, 1}}),
              std::vector<AttributeRange>(table.begin(), table.end()));
    EXPECT_TRUE(Mesh(fvf::xyz, {}, {}, {}).attributeTable().empty());

    // The highest index of any run past the vertices, the largest index of all included.
    for (const std::uint32_t bad : {5u, 0xFFFFFFFFu}) {
        try {
            Mesh(fvf::xyz, vertices, {0, 1, 2, 3, bad, 1}, {0, 1});
            FAIL() << "index " << bad << " was taken";
        } catch (const PlatformError& e) {
            EXPECT_EQ(result::invalidCall, e.code());
            EXPECT_NE(std::string(e.what()).find("index out of range"), std::string::npos);
        }
    }
}

TEST(MeshOptimizer, SortsFacesBySubsetAndKeepsEveryTriangle) {
    // Six triangles of a strip with attributes 1,0,1,0,2,0 and one vertex no face uses.
    std::vector<float> vertices;
    for (int i = 0; i < 9; ++i) {
        const int column = i / 2;
        vertices.insert(vertices.end(), {float(column), float(i % 2), float(i)});
    }
    const std::vector<std::uint32_t> indices{0, 1, 2, 1, 3, 2, 2, 3, 4, 3, 5, 4, 4, 5, 6, 5, 7, 6};
    const Mesh mesh(fvf::xyz, vertices, indices, {1, 0, 1, 0, 2, 0});

    std::vector<std::uint32_t> previous;
    const Mesh optimized = optimizeMesh(mesh, &previous);
    ASSERT_EQ(mesh.vertexCount(), optimized.vertexCount());
    ASSERT_EQ(mesh.faceCount(), optimized.faceCount());
    const auto attributes = optimized.faceAttributes();
    EXPECT_EQ((std::vector<std::uint32_t>{0, 0, 0, 1, 1, 2}),
              std::vector<std::uint32_t>(attributes.begin(), attributes.end()));
    ASSERT_EQ(3u, optimized.attributeTable().size());
    EXPECT_EQ(3u, optimized.attributeTable()[0].faceCount);
    EXPECT_EQ(3u, optimized.attributeTable()[1].faceStart);

    // Each subset still holds the same triangles (same corner positions, same turning order).
    const auto canonical = [](const Mesh& m, std::uint32_t f) {
        std::array<std::tuple<float, float, float>, 3> corners;
        for (int k = 0; k < 3; ++k) {
            const Vector3 p = m.position(m.face(f)[k]);
            corners[k] = {p.x, p.y, p.z};
        }
        std::rotate(corners.begin(), std::min_element(corners.begin(), corners.end()), corners.end());
        return std::pair(m.faceAttributes()[f], corners);
    };
    std::multiset<decltype(canonical(mesh, 0))> before, after;
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f)
        before.insert(canonical(mesh, f));
    for (std::uint32_t f = 0; f < optimized.faceCount(); ++f)
        after.insert(canonical(optimized, f));
    EXPECT_EQ(before, after);

    // Vertices follow first use; the unused one comes last, and the remap says where each came from.
    EXPECT_EQ(8u, previous.back());
    for (std::uint32_t v = 0; v < optimized.vertexCount(); ++v)
        EXPECT_EQ(mesh.position(previous[v]), optimized.position(v));
    const AttributeRange& first = optimized.attributeTable()[0];
    EXPECT_EQ(0u, first.vertexStart);
}

TEST(MeshLoading, WholeFilesGoThroughTheirFrames) {
    const auto path = std::filesystem::temp_directory_path() / "boardwright-mesh-test.x";
    {
        std::ofstream out(path, std::ios::binary);
        const auto cube = readTestFile("cube.x");
        out.write(reinterpret_cast<const char*>(cube.data()), static_cast<std::streamsize>(cube.size()));
    }
    const LoadedMesh moved = loadMeshFromXFile(path);
    EXPECT_EQ((Vector3{1, 2, 3}), boundingBox(moved.mesh).minimum); // the frame moves it by (2, 3, 4)
    EXPECT_EQ((Vector3{3, 4, 5}), boundingBox(moved.mesh).maximum);
    EXPECT_EQ(2u, moved.materials.size());

    XFile two = XFile::fromBytes(bytesOf(R"(xof 0302txt 0032
Mesh Plain { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; }
Frame Up {
  FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,10,0,1;; }
  Frame Inner { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 1,0,0,1;; } { Plain } }
}
)"));
    const LoadedMesh merged = loadMeshFromXFile(two);
    EXPECT_EQ(6u, merged.mesh.vertexCount());
    EXPECT_EQ(2u, merged.mesh.faceCount());
    EXPECT_EQ(2u, merged.materials.size()); // each mesh without materials gets a white one
    EXPECT_EQ((Vector3{(0 + 1) * 2, 10 + (1) * 2, 0}),
              merged.mesh.position(4)); // inner, then outer transform
    EXPECT_EQ(1u, merged.mesh.faceAttributes()[1]);

    XFile none = XFile::fromBytes(bytesOf("xof 0302txt 0032\nFrame { }"));
    EXPECT_THROW(loadMeshFromXFile(none), PlatformError);
    std::filesystem::remove(path);
    EXPECT_THROW(loadMeshFromXFile(path), PlatformError);
}

} // namespace
} // namespace bw
