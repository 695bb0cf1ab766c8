#include "scene3d/platform/mesh/XMeshLoader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/VectorTransform.h"
#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/mesh/MeshAdjacency.h"
#include "scene3d/platform/mesh/MeshLayoutCopy.h"

namespace bw {

namespace {

[[noreturn]] void fail(const std::string& what) { throw PlatformError(result::invalidData, "mesh: " + what); }

// The 32-bit word at that word index of an object's data, which need not be aligned.
std::uint32_t wordAt(std::span<const std::uint8_t> data, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, data.data() + 4 * at, 4);
    return v;
}

// Polygons where they lie in an object's data, which outlives the reading: each a count
// and that many corner indices. Where every polygon is a triangle, as in most meshes,
// polygon p lies at word 4p; otherwise the word each one starts at is kept.
class Polygons {
public:
    Polygons() = default;
    Polygons(std::span<const std::uint8_t> records, std::uint32_t count, std::vector<std::uint32_t> starts)
        : records_(records), count_(count), starts_(std::move(starts)) {}

    std::uint32_t count() const { return count_; }
    // The corners of every polygon together.
    std::size_t corners() const { return records_.size() / 4 - count_; }
    std::uint32_t size(std::uint32_t p) const {
        return starts_.empty() ? 3 : starts_[p + 1] - starts_[p] - 1;
    }
    std::uint32_t corner(std::uint32_t p, std::uint32_t c) const {
        return word((starts_.empty() ? 4 * std::size_t{p} : starts_[p]) + 1 + c);
    }
    // Only where every polygon is a triangle: their corners, three a face.
    void copyTriangles(std::span<std::uint32_t> out) const {
        // Straight from the records, not through a copy of the face: a load from the middle
        // of a wider store just made waits for the store.
        for (std::size_t p = 0; p < count_; ++p)
            std::memcpy(out.data() + 3 * p, records_.data() + 16 * p + 4, 12);
    }

private:
    std::uint32_t word(std::size_t at) const { return wordAt(records_, at); }

    std::span<const std::uint8_t> records_;
    std::uint32_t count_ = 0;
    std::vector<std::uint32_t> starts_; // and one past the last polygon
};

// The material of each face: the list's entries where they lie in an object's data, the
// last entry again for the faces past a short list, the first material for every face
// where there is no list.
class FaceMaterials {
public:
    FaceMaterials() = default;
    explicit FaceMaterials(std::span<const std::uint8_t> listed) : listed_(listed) {
        if (!listed.empty()) std::memcpy(&last_, listed.data() + listed.size() - 4, 4);
    }

    std::size_t listed() const { return listed_.size() / 4; }
    std::uint32_t of(std::size_t face) const { return face < listed() ? word(face) : last_; }
    // Those of faces 0 .. out.size() - 1.
    void copyTo(std::span<std::uint32_t> out) const {
        const std::size_t given = std::min(out.size(), listed());
        if (given > 0) std::memcpy(out.data(), listed_.data(), 4 * given);
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(given), out.end(), last_);
    }
    // How many runs of one material the first `faces` faces make (the faces past a short
    // list continue its last run).
    std::size_t runs(std::size_t faces) const {
        if (faces == 0) return 0;
        std::size_t runs = 1;
        const std::size_t given = std::min(faces, listed());
        for (std::size_t f = 1; f < given; ++f)
            runs += word(f) != word(f - 1);
        return runs;
    }
    // The largest material the list names, past the faces too; 0 without a list.
    std::uint32_t largest() const {
        std::uint32_t largest = 0;
        for (std::size_t f = 0; f < listed(); ++f)
            largest = std::max(largest, word(f));
        return largest;
    }

private:
    std::uint32_t word(std::size_t at) const { return wordAt(listed_, at); }

    std::span<const std::uint8_t> listed_;
    std::uint32_t last_ = 0;
};

// Vectors (three FLOATs each) where they lie in an object's data, which outlives the
// reading: copied once, into the mesh's vertices, rather than into a list first.
class PackedVectors {
public:
    PackedVectors() = default;
    explicit PackedVectors(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size() / 12; }
    bool empty() const { return bytes_.empty(); }
    const std::uint8_t* at(std::size_t i) const { return bytes_.data() + i * 12; }

private:
    std::span<const std::uint8_t> bytes_;
};

struct MeshSource {
    PackedVectors positions;
    Polygons faces;
    std::span<const std::uint8_t> faceRecords; // the faces as the data holds them, count first
    PackedVectors normals;
    Polygons normalFaces; // empty when the mesh has no normals, or they follow the vertices
    // Every corner takes the normal of its vertex's index: the normals' faces are the
    // faces, word for word, and there is a normal per vertex.
    bool normalsFollowVertices = false;
    std::vector<std::pair<float, float>> textureCoordinates;
    std::vector<std::optional<std::uint32_t>> colours;
    FaceMaterials faceMaterials;
    std::vector<MaterialRecord> materials;
};

// Checks a count read from the data against the bytes left before anything is allocated.
std::uint32_t countOf(XDataReader& r, std::size_t bytesEach) {
    const std::uint32_t n = r.dword();
    if (std::uint64_t{n} * bytesEach > r.remaining()) fail("count larger than its data");
    return n;
}

// The data holds floats and integers little-endian, as this machine does: a run of them is
// copied as it lies.
PackedVectors readVectors(XDataReader& r) { return PackedVectors(r.take(std::size_t{countOf(r, 12)} * 12)); }

Polygons readPolygons(XDataReader& r, std::size_t indexLimit) {
    const std::uint32_t count = countOf(r, 4);
    // Checked in place, word by word: a face is a handful of values, and a call per value
    // cost more than the face.
    const std::span<const std::uint8_t> data = r.take(r.remaining());
    const std::size_t words = data.size() / 4;
    const auto word = [data](std::size_t at) { return wordAt(data, at); };
    std::size_t at = 0;
    // The largest index seen, checked once at the end: an index out of range fails the
    // mesh all the same.
    std::uint32_t largest = 0;
    std::uint32_t p = 0;
    // Triangles, most faces of most meshes, four words at a time.
    for (; p < count && words - at >= 4; ++p) {
        std::uint32_t face[4];
        std::memcpy(face, data.data() + at * 4, sizeof face);
        if (face[0] != 3) break;
        largest = std::max({largest, face[1], face[2], face[3]});
        at += 4;
    }
    std::vector<std::uint32_t> starts;
    if (p < count) {
        // Any other polygon, and what follows it, with where each starts.
        starts.resize(std::size_t{count} + 1); // countOf has bounded count by the data
        for (std::uint32_t q = 0; q <= p; ++q)
            starts[q] = 4 * q;
    }
    for (; p < count; ++p) {
        if (at >= words) fail("faces end early");
        const std::uint32_t corners = word(at++);
        if (corners > words - at) fail("count larger than its data");
        if (corners < 3) fail("face with fewer than three corners");
        for (std::uint32_t c = 0; c < corners; ++c)
            largest = std::max(largest, word(at++));
        starts[p + 1] = static_cast<std::uint32_t>(at);
    }
    if (at > count && largest >= indexLimit) fail("face index out of range");
    r.rewind(data.size() - at * 4);
    return Polygons(data.first(at * 4), count, std::move(starts));
}

ColorValue readColour(XDataReader& r, bool withAlpha) {
    float channels[4] = {0, 0, 0, 1.0f};
    r.floats(std::span(channels, withAlpha ? 4 : 3));
    return {channels[0], channels[1], channels[2], channels[3]};
}

std::uint32_t packColour(const ColorValue& c) {
    const auto channel = [](float x) {
        // Non-negative after the clamp, where adding a half rounds as lround would.
        // NOLINTNEXTLINE(bugprone-incorrect-roundings)
        return static_cast<std::uint32_t>(std::clamp(x, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    return channel(c.a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

MaterialRecord readMaterial(const XDataObject& object) {
    if (object.templateName != "TID_D3DRMMaterial")
        fail("material list holds a " + std::string(object.templateName));
    XDataReader r(object);
    MaterialRecord record;
    record.material.diffuse = readColour(r, true);
    record.material.power = r.floatValue();
    record.material.specular = readColour(r, false);
    record.material.emissive = readColour(r, false);
    for (const auto& child : object.children) {
        const XDataObject& texture = child.object();
        if (texture.templateName == "TID_D3DRMTextureFilename") {
            XDataReader t(texture);
            record.textureFilename = t.string();
            break;
        }
    }
    return record;
}

void readNormals(const XDataObject& object, MeshSource& source) {
    XDataReader r(object);
    source.normals = readVectors(r);
    // As many writers give them (DirectX's own among them): nothing to read into a list or
    // split then. Faces the same word for word are the same in every check below too.
    const std::size_t faceBytes = source.faceRecords.size();
    if (source.faces.count() > 0 && source.normals.size() == source.positions.size() &&
        r.remaining() >= faceBytes &&
        std::memcmp(object.data.data() + r.offset(), source.faceRecords.data(), faceBytes) == 0) {
        r.skip(faceBytes);
        source.normalsFollowVertices = true;
        return;
    }
    source.normalFaces = readPolygons(r, source.normals.size());
    if (source.normalFaces.count() != source.faces.count()) fail("normals for a different number of faces");
    for (std::uint32_t f = 0; f < source.faces.count(); ++f)
        if (source.normalFaces.size(f) != source.faces.size(f))
            fail("face normals with a different corner count");
}

void readTextureCoordinates(const XDataObject& object, MeshSource& source) {
    XDataReader r(object);
    source.textureCoordinates.resize(countOf(r, 8));
    if (source.textureCoordinates.size() != source.positions.size())
        fail("texture coordinates do not match vertices");
    for (auto& [u, v] : source.textureCoordinates) {
        u = r.floatValue();
        v = r.floatValue();
    }
}

void readVertexColours(const XDataObject& object, MeshSource& source) {
    XDataReader r(object);
    const std::uint32_t count = countOf(r, 20);
    source.colours.assign(source.positions.size(), std::nullopt);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t vertex = r.dword();
        const ColorValue colour = readColour(r, true);
        if (vertex >= source.positions.size()) fail("vertex colour for a vertex that does not exist");
        source.colours[vertex] = packColour(colour);
    }
}

void readMaterialList(const XDataObject& object, MeshSource& source) {
    XDataReader r(object);
    const std::uint32_t materialCount = r.dword();
    const std::uint32_t listed = countOf(r, 4);
    source.faceMaterials = FaceMaterials(r.take(std::size_t{listed} * 4));
    // Every entry is checked, those past the faces too.
    if (listed > 0 && source.faceMaterials.largest() >= materialCount) fail("face material out of range");
    source.materials.reserve(std::min<std::size_t>(materialCount, object.children.size()));
    for (const auto& child : object.children) {
        if (source.materials.size() == materialCount) break;
        source.materials.push_back(readMaterial(child.object()));
    }
    if (source.materials.size() < materialCount) fail("fewer materials than the list declares");
}

MeshSource readMeshSource(const XDataObject& object) {
    if (object.templateName != "TID_D3DRMMesh") throw PlatformError(result::invalidCall, "not a mesh object");
    MeshSource source;
    XDataReader r(object);
    source.positions = readVectors(r);
    const std::size_t facesStart = r.offset();
    source.faces = readPolygons(r, source.positions.size());
    source.faceRecords = std::span(object.data.data() + facesStart, r.offset() - facesStart);

    using Reader = void (*)(const XDataObject&, MeshSource&);
    const std::pair<std::string_view, Reader> childReaders[] = {
        {"TID_D3DRMMeshNormals", readNormals},
        {"TID_D3DRMMeshTextureCoords", readTextureCoordinates},
        {"TID_D3DRMMeshVertexColors", readVertexColours},
        {"TID_D3DRMMeshMaterialList", readMaterialList},
    };
    std::array<bool, std::size(childReaders)> seen{};
    for (const auto& child : object.children) {
        const XDataObject& data = child.object();
        for (std::size_t k = 0; k < seen.size(); ++k) {
            // The first child of each kind counts; later ones are ignored.
            if (data.templateName != childReaders[k].first || seen[k]) continue;
            seen[k] = true;
            childReaders[k].second(data, source);
        }
    }
    return source;
}

// Vertex index for one face corner: the file's vertex for the first normal it is used
// with, an appended copy for each further normal. The copies of a vertex are few (one
// per face around a corner at most), so each vertex keeps them in a short chain. Where
// nothing can need splitting (no normals, or each vertex with its own normal) it holds
// nothing and every corner keeps its vertex.
class VertexSplitter {
public:
    VertexSplitter(std::uint32_t fileVertices, bool splits) : fileVertices_(fileVertices), splits_(splits) {
        if (!splits) return;
        normalOf_.resize(fileVertices);
        firstCopy_.assign(fileVertices, noCopy);
        origin_.reserve(fileVertices);
        for (std::uint32_t v = 0; v < fileVertices; ++v)
            origin_.push_back(v);
    }

    std::uint32_t vertexFor(std::uint32_t position, std::optional<std::uint32_t> normal) {
        if (!splits_ || !normal) return position;
        if (!normalOf_[position]) normalOf_[position] = normal;
        if (normalOf_[position] == normal) return position;
        std::uint32_t* link = &firstCopy_[position];
        for (; *link != noCopy; link = &copies_[*link].next)
            if (copies_[*link].normal == *normal) return copies_[*link].vertex;
        const auto vertex = static_cast<std::uint32_t>(origin_.size());
        *link = static_cast<std::uint32_t>(copies_.size());
        copies_.push_back({*normal, vertex, noCopy});
        origin_.push_back(position);
        normalOf_.push_back(normal);
        return vertex;
    }

    bool splits() const { return splits_; }
    std::uint32_t vertexCount() const {
        return splits_ ? static_cast<std::uint32_t>(origin_.size()) : fileVertices_;
    }
    std::uint32_t originOf(std::uint32_t v) const { return splits_ ? origin_[v] : v; }
    // Only where it splits.
    std::optional<std::uint32_t> normalOf(std::uint32_t v) const { return normalOf_[v]; }

private:
    struct Copy {
        std::uint32_t normal;
        std::uint32_t vertex;
        std::uint32_t next; // the next copy of the same file vertex
    };
    static constexpr std::uint32_t noCopy = 0xFFFFFFFF;

    std::uint32_t fileVertices_;
    bool splits_;
    std::vector<std::optional<std::uint32_t>> normalOf_;
    std::vector<std::uint32_t> origin_;
    std::vector<std::uint32_t> firstCopy_; // per file vertex
    std::vector<Copy> copies_;
};

bool normalsGiven(const MeshSource& s) { return s.normalsFollowVertices || s.normalFaces.count() > 0; }

std::uint32_t layoutFor(const MeshSource& s) {
    std::uint32_t code = fvf::xyz;
    if (!s.normals.empty() || normalsGiven(s)) code |= fvf::normal;
    if (!s.colours.empty()) code |= fvf::diffuse;
    if (!s.textureCoordinates.empty()) code |= fvf::tex1;
    return code;
}

// The polygons as fans of triangles around their first corners, each corner's vertex as
// vertexOf(polygon, corner) gives it.
template <typename VertexOf>
void fanTriangles(const MeshSource& s, const VertexOf& vertexOf, std::span<std::uint32_t> indices,
                  std::span<std::uint32_t> attributes) {
    std::size_t triangle = 0;
    for (std::uint32_t f = 0; f < s.faces.count(); ++f) {
        const std::uint32_t pivot = vertexOf(f, 0);
        std::uint32_t previous = vertexOf(f, 1);
        for (std::uint32_t c = 2; c < s.faces.size(f); ++c) {
            const std::uint32_t current = vertexOf(f, c);
            indices[3 * triangle] = pivot;
            indices[3 * triangle + 1] = previous;
            indices[3 * triangle + 2] = current;
            attributes[triangle++] = s.faceMaterials.of(f);
            previous = current;
        }
    }
}

// Every slot of every vertex: position, normal (zero for a vertex without one), colour
// and texture coordinates as the layout has them.
void writeVertices(const MeshSource& s, const VertexSplitter& splitter, const VertexLayout& layout,
                   std::span<float> slots) {
    const std::size_t stride = layout.slotCount;
    const std::uint32_t vertexCount = splitter.vertexCount();
    if (s.normalsFollowVertices) {
        // Nothing split: each vertex's position and normal are the file's of its index.
        for (std::uint32_t v = 0; v < vertexCount; ++v) {
            float* const out = slots.data() + v * stride;
            std::memcpy(out, s.positions.at(v), 12);
            std::memcpy(out + layout.normal, s.normals.at(v), 12);
        }
    } else {
        for (std::uint32_t v = 0; v < vertexCount; ++v)
            std::memcpy(slots.data() + v * stride, s.positions.at(splitter.originOf(v)), 12);
        for (std::uint32_t v = 0; v < vertexCount && layout.normal >= 0; ++v) {
            float* const out = slots.data() + v * stride + layout.normal;
            const std::optional<std::uint32_t> normal =
                splitter.splits() ? splitter.normalOf(v) : std::optional<std::uint32_t>();
            if (normal)
                std::memcpy(out, s.normals.at(*normal), 12);
            else
                std::fill_n(out, 3, 0.0f);
        }
    }
    if (layout.diffuse < 0 && layout.texture[0] < 0) return;
    for (std::uint32_t v = 0; v < vertexCount; ++v) {
        float* out = slots.data() + v * stride;
        const std::uint32_t origin = splitter.originOf(v);
        if (layout.diffuse >= 0) {
            const std::uint32_t colour = s.colours[origin].value_or(0xFFFFFFFFu);
            std::memcpy(out + layout.diffuse, &colour, sizeof colour);
        }
        if (layout.texture[0] >= 0) {
            out[layout.texture[0]] = s.textureCoordinates[origin].first;
            out[layout.texture[0] + 1] = s.textureCoordinates[origin].second;
        }
    }
}

Mesh buildMesh(const MeshSource& s) {
    const bool hasNormals = normalsGiven(s);
    // Nothing needs splitting where every vertex takes its own normal at every corner.
    VertexSplitter splitter(static_cast<std::uint32_t>(s.positions.size()),
                            hasNormals && !s.normalsFollowVertices);
    const std::uint32_t code = layoutFor(s);
    const VertexLayout layout = *vertexLayoutOf(code);
    // A fan has two triangles fewer than its polygon has corners.
    const std::size_t triangles = s.faces.corners() - 2 * std::size_t{s.faces.count()};
    const std::size_t runs = s.faceMaterials.runs(s.faces.count());
    MeshArrays arrays;
    if (splitter.splits()) {
        // How many vertices there are is known once every corner has found its own.
        std::vector<std::uint32_t> indices(3 * triangles), attributes(triangles);
        fanTriangles(
            s,
            [&](std::uint32_t f, std::uint32_t c) {
                return splitter.vertexFor(s.faces.corner(f, c), s.normalFaces.corner(f, c));
            },
            std::span(indices), std::span(attributes));
        arrays = MeshArrays(std::size_t{splitter.vertexCount()} * layout.slotCount, triangles, runs);
        std::copy(indices.begin(), indices.end(), arrays.indices().begin());
        std::copy(attributes.begin(), attributes.end(), arrays.faceAttributes().begin());
    } else {
        arrays = MeshArrays(s.positions.size() * layout.slotCount, triangles, runs);
        if (triangles == s.faces.count()) {
            // Triangles whose corners keep their vertices: the file's faces as they are.
            s.faces.copyTriangles(arrays.indices());
            s.faceMaterials.copyTo(arrays.faceAttributes());
        } else {
            fanTriangles(
                s, [&](std::uint32_t f, std::uint32_t c) { return s.faces.corner(f, c); }, arrays.indices(),
                arrays.faceAttributes());
        }
    }
    writeVertices(s, splitter, layout, arrays.vertexSlots());
    return Mesh(code, std::move(arrays));
}

// ---- whole files ----

void transformVertices(Mesh& mesh, const Matrix& world) {
    if (world == identityMatrix()) return;
    for (std::uint32_t v = 0; v < mesh.vertexCount(); ++v) {
        mesh.setPosition(v, transformCoord(mesh.position(v), world));
        if (mesh.layout().normal >= 0) mesh.setNormal(v, normalize(transformNormal(mesh.normal(v), world)));
    }
}

Matrix frameMatrix(const XDataObject& frame) {
    for (const auto& child : frame.children) {
        const XDataObject* data = child.target();
        if (!data || data->templateName != "TID_D3DRMFrameTransformMatrix") continue;
        XDataReader r(*data);
        Matrix m;
        float rows[16];
        r.floats(rows);
        std::memcpy(&m.m, rows, sizeof rows);
        return m;
    }
    return identityMatrix();
}

void collectMeshes(const XDataObject& object, const Matrix& parent, std::vector<LoadedMesh>& parts,
                   LoadBudget& budget) {
    if (object.templateName == "TID_D3DRMMesh") {
        budget.countObject();
        parts.push_back(loadMeshFromXObject(object, &budget));
        transformVertices(parts.back().mesh, parent);
    } else if (object.templateName == "TID_D3DRMFrame") {
        budget.countObject();
        const Matrix world = frameMatrix(object) * parent;
        for (const auto& child : object.children)
            collectMeshes(child.object(), world, parts, budget);
    }
}

LoadedMesh mergeParts(std::vector<LoadedMesh> parts) {
    if (parts.size() == 1) return std::move(parts.front());
    std::uint32_t code = 0;
    for (const auto& p : parts)
        code |= p.mesh.fvf();
    std::vector<float> vertices;
    std::vector<std::uint32_t> indices, attributes;
    std::vector<MaterialRecord> materials;
    for (auto& part : parts) {
        if (part.materials.empty()) part.materials.push_back({Material{{1, 1, 1, 1}, {}, {}, {}, 0.0f}, {}});
        const Mesh copy = copyWithLayout(part.mesh, code);
        const auto vertexBase = static_cast<std::uint32_t>(vertices.size() / copy.layout().slotCount);
        const auto materialBase = static_cast<std::uint32_t>(materials.size());
        vertices.insert(vertices.end(), copy.vertexData().begin(), copy.vertexData().end());
        for (std::uint32_t i : copy.indices())
            indices.push_back(i + vertexBase);
        for (std::uint32_t a : copy.faceAttributes())
            attributes.push_back(a + materialBase);
        materials.insert(materials.end(), part.materials.begin(), part.materials.end());
    }
    Mesh merged(code, vertices, indices, attributes);
    auto adjacency = generateAdjacency(merged);
    return {std::move(merged), std::move(adjacency), std::move(materials)};
}

} // namespace

LoadedMesh loadMeshFromXObject(const XDataObject& meshObject, LoadBudget* budget, Adjacency adjacency) {
    MeshSource source = readMeshSource(meshObject);
    // The file's vertices and the triangles of the fans now; the vertices split for their
    // normals, bounded by the corners already read, once they are known.
    if (budget)
        budget->countGeometry(source.positions.size(),
                              source.faces.corners() - 2 * std::size_t{source.faces.count()});
    Mesh mesh = buildMesh(source);
    if (budget) budget->countGeometry(mesh.vertexCount() - source.positions.size(), 0);
    std::vector<std::uint32_t> faceAdjacency;
    if (adjacency == Adjacency::Generate) faceAdjacency = generateAdjacency(mesh);
    return {std::move(mesh), std::move(faceAdjacency), std::move(source.materials)};
}

LoadedMesh loadMeshFromXFile(const std::filesystem::path& path) {
    XFile file = XFile::open(path);
    return loadMeshFromXFile(file);
}

LoadedMesh loadMeshFromXFile(XFile& file) {
    std::vector<LoadedMesh> parts;
    LoadBudget budget;
    while (const XDataObject* object = file.nextObject())
        collectMeshes(*object, identityMatrix(), parts, budget);
    if (parts.empty()) fail("no mesh in the file");
    return mergeParts(std::move(parts));
}

} // namespace bw
