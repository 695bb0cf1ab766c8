#include "tools/modelgen/ShapeBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene3d/math/Transforms.h"

namespace bw::modelgen {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Small round parts get fewer facets; nobody sees them at that size.
int segmentsFor(float diameter) { return diameter < 0.2f ? 8 : diameter < 0.8f ? 12 : 16; }

float radians(float degrees) { return degrees * kPi / 180.0f; }

// A point on a ring around the y axis, angle a, radii rx and rz.
Vector3 ring(float a, float rx, float rz, float y) { return {rx * std::cos(a), y, rz * std::sin(a)}; }

void addBox(TriangleMesh& mesh, Vector3 size, Material material) {
    const Vector3 h = size * 0.5f;
    for (int axis = 0; axis < 3; ++axis) {
        for (float side : {-1.0f, 1.0f}) {
            auto corner = [&](float a, float b) {
                float c[3];
                c[axis] = side;
                c[(axis + 1) % 3] = a;
                c[(axis + 2) % 3] = b;
                return Vector3{c[0] * h.x, c[1] * h.y, c[2] * h.z};
            };
            float n[3] = {0, 0, 0};
            n[axis] = side;
            mesh.addQuad({corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)}, {n[0], n[1], n[2]},
                         material);
        }
    }
}

// A disc (or ring when inner > 0) across the y axis at height y, facing up or down.
void addCap(TriangleMesh& mesh, int segments, float outerX, float outerZ, float innerX, float innerZ, float y,
            float facing, Material material) {
    const Vector3 normal{0, facing, 0};
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2 * kPi * i / segments;
        const float a1 = 2 * kPi * (i + 1) / segments;
        const Vector3 o0 = ring(a0, outerX, outerZ, y), o1 = ring(a1, outerX, outerZ, y);
        if (innerX > 0 && innerZ > 0) {
            mesh.addQuad({o0, o1, ring(a1, innerX, innerZ, y), ring(a0, innerX, innerZ, y)}, normal,
                         material);
        } else {
            mesh.addTriangle({{{{0, y, 0}, normal}, {o0, normal}, {o1, normal}}}, normal, material);
        }
    }
}

// The side of a cut cone around the y axis, bottom radius r0 at -h/2, top radius r1 at +h/2;
// `inward` makes it the inner wall of a tube.
void addSide(TriangleMesh& mesh, int segments, float r0x, float r0z, float r1x, float r1z, float h,
             bool inward, Material material) {
    const float facing = inward ? -1.0f : 1.0f;
    const float rx = std::max(std::max(r0x, r1x), 1e-6f), rz = std::max(std::max(r0z, r1z), 1e-6f);
    const float slope = (r0x + r0z - r1x - r1z) * 0.5f / h; // the wall leans in as the radius shrinks
    auto normalAt = [&](float a) {
        const Vector3 radial = normalize(Vector3{std::cos(a) / rx, 0, std::sin(a) / rz});
        return normalize(Vector3{radial.x, slope, radial.z} * facing);
    };
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2 * kPi * i / segments;
        const float a1 = 2 * kPi * (i + 1) / segments;
        const MeshVertex b0{ring(a0, r0x, r0z, -h / 2), normalAt(a0)};
        const MeshVertex b1{ring(a1, r0x, r0z, -h / 2), normalAt(a1)};
        const MeshVertex t0{ring(a0, r1x, r1z, h / 2), normalAt(a0)};
        const MeshVertex t1{ring(a1, r1x, r1z, h / 2), normalAt(a1)};
        const Vector3 outside = normalAt((a0 + a1) / 2);
        if (r0x > 0 && r0z > 0) mesh.addTriangle({b0, b1, t1}, outside, material);
        if (r1x > 0 && r1z > 0) mesh.addTriangle({b0, t1, t0}, outside, material);
    }
}

void addCylinder(TriangleMesh& mesh, Vector3 size, Material material) {
    const float rx = size.x / 2, rz = size.z / 2, h = size.y;
    const int segments = segmentsFor(std::max(size.x, size.z));
    addSide(mesh, segments, rx, rz, rx, rz, h, false, material);
    addCap(mesh, segments, rx, rz, 0, 0, h / 2, 1, material);
    addCap(mesh, segments, rx, rz, 0, 0, -h / 2, -1, material);
}

void addCone(TriangleMesh& mesh, Vector3 size, Material material) {
    const float r0 = size.x / 2, r1 = size.z / 2, h = size.y;
    const int segments = segmentsFor(std::max(size.x, size.z));
    addSide(mesh, segments, r0, r0, r1, r1, h, false, material);
    if (r1 > 0) addCap(mesh, segments, r1, r1, 0, 0, h / 2, 1, material);
    if (r0 > 0) addCap(mesh, segments, r0, r0, 0, 0, -h / 2, -1, material);
}

void addTube(TriangleMesh& mesh, Vector3 size, Material material) {
    const float ro = size.x / 2, ri = size.z / 2, h = size.y;
    const int segments = segmentsFor(size.x);
    addSide(mesh, segments, ro, ro, ro, ro, h, false, material);
    addSide(mesh, segments, ri, ri, ri, ri, h, true, material);
    addCap(mesh, segments, ro, ro, ri, ri, h / 2, 1, material);
    addCap(mesh, segments, ro, ro, ri, ri, -h / 2, -1, material);
}

void addSphere(TriangleMesh& mesh, Vector3 size, Material material) {
    const Vector3 r = size * 0.5f;
    const int segments = segmentsFor(std::max({size.x, size.y, size.z}));
    const int rings = segments / 2 + 2;
    auto vertex = [&](int ringIndex, int segment) {
        const float polar = kPi * ringIndex / rings;
        const float a = 2 * kPi * segment / segments;
        const Vector3 unit{std::sin(polar) * std::cos(a), std::cos(polar), std::sin(polar) * std::sin(a)};
        const Vector3 p{unit.x * r.x, unit.y * r.y, unit.z * r.z};
        return MeshVertex{p, normalize(Vector3{p.x / (r.x * r.x), p.y / (r.y * r.y), p.z / (r.z * r.z)})};
    };
    for (int j = 0; j < rings; ++j) {
        for (int i = 0; i < segments; ++i) {
            const MeshVertex a = vertex(j, i), b = vertex(j, i + 1), c = vertex(j + 1, i),
                             d = vertex(j + 1, i + 1);
            const Vector3 outside = normalize(a.normal + b.normal + c.normal + d.normal);
            if (j > 0) mesh.addTriangle({a, b, d}, outside, material);
            if (j < rings - 1) mesh.addTriangle({a, d, c}, outside, material);
        }
    }
}

void addBend(TriangleMesh& mesh, Vector3 size, Material material) {
    const float r = size.x / 2, bendRadius = size.y, sweep = radians(size.z);
    const int steps = std::max(2, static_cast<int>(std::ceil(size.z / 15.0f)));
    const int aroundSteps = segmentsFor(size.x);
    auto vertex = [&](int step, int around) {
        const float t = sweep * step / steps;
        const float phi = 2 * kPi * around / aroundSteps;
        const Vector3 radial{std::cos(t), std::sin(t), 0};
        const Vector3 normal = radial * std::cos(phi) + Vector3{0, 0, std::sin(phi)};
        return MeshVertex{radial * bendRadius + normal * r, normal};
    };
    for (int s = 0; s < steps; ++s) {
        for (int a = 0; a < aroundSteps; ++a) {
            const MeshVertex p = vertex(s, a), q = vertex(s, a + 1), u = vertex(s + 1, a),
                             v = vertex(s + 1, a + 1);
            const Vector3 outside = normalize(p.normal + q.normal + u.normal + v.normal);
            mesh.addTriangle({p, q, v}, outside, material);
            mesh.addTriangle({p, v, u}, outside, material);
        }
    }
    // End caps: flat discs across the pipe at both ends.
    for (int end = 0; end < 2; ++end) {
        const float t = end == 0 ? 0.0f : sweep;
        const Vector3 along{-std::sin(t), std::cos(t), 0};
        const Vector3 normal = end == 0 ? -along : along;
        const Vector3 centre = Vector3{std::cos(t), std::sin(t), 0} * bendRadius;
        const int step = end == 0 ? 0 : steps;
        for (int a = 0; a < aroundSteps; ++a)
            mesh.addTriangle({{{centre, normal},
                               {vertex(step, a).position, normal},
                               {vertex(step, a + 1).position, normal}}},
                             normal, material);
    }
}

void addRotor(TriangleMesh& mesh, Vector3 size, Material material) {
    const float radius = size.x / 2, thickness = size.y;
    const int blades = std::max(1, static_cast<int>(size.z));
    const float hubRadius = radius * 0.32f;
    TriangleMesh hub;
    addCylinder(hub, {hubRadius * 2, thickness * 4, hubRadius * 2}, material);
    mesh.append(hub, identityMatrix());
    const float length = radius - hubRadius * 0.8f;
    const float width = std::min(radius * 0.55f, 2 * kPi * radius / blades * 0.75f);
    TriangleMesh blade;
    addBox(blade, {length, thickness, width}, material);
    for (int i = 0; i < blades; ++i) {
        const Matrix place = rotationXMatrix(radians(28)) *
                             translationMatrix(hubRadius * 0.8f + length / 2, 0, 0) *
                             rotationYMatrix(2 * kPi * i / blades);
        mesh.append(blade, place);
    }
}

void addPanel(TriangleMesh& mesh, Vector3 size, Material material) {
    const float hx = size.x / 2, hy = size.y / 2;
    mesh.addQuad({Vector3{-hx, -hy, 0}, {hx, -hy, 0}, {hx, hy, 0}, {-hx, hy, 0}}, {0, 0, -1}, material);
}

} // namespace

TriangleMesh buildShape(Shape shape, Vector3 size, Material material) {
    TriangleMesh mesh;
    switch (shape) {
    case Shape::Box:
        addBox(mesh, size, material);
        break;
    case Shape::Cylinder:
        addCylinder(mesh, size, material);
        break;
    case Shape::Cone:
        addCone(mesh, size, material);
        break;
    case Shape::Tube:
        addTube(mesh, size, material);
        break;
    case Shape::Sphere:
        addSphere(mesh, size, material);
        break;
    case Shape::Bend:
        addBend(mesh, size, material);
        break;
    case Shape::Rotor:
        addRotor(mesh, size, material);
        break;
    case Shape::Panel:
        addPanel(mesh, size, material);
        break;
    }
    return mesh;
}

Matrix turnMatrix(Vector3 degrees) {
    return rotationXMatrix(radians(degrees.x)) * rotationYMatrix(radians(degrees.y)) *
           rotationZMatrix(radians(degrees.z));
}

void addPrimitive(TriangleMesh& target, const Primitive& primitive, const Matrix& placement) {
    const TriangleMesh shape = buildShape(primitive.shape, primitive.size, primitive.material);
    const Matrix turn = turnMatrix(primitive.turn);
    for (int i = 0; i < primitive.count; ++i) {
        const Vector3 at = primitive.at + primitive.step * static_cast<float>(i);
        target.append(shape, turn * translationMatrix(at.x, at.y, at.z) * placement);
    }
}

} // namespace bw::modelgen
