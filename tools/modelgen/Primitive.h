#pragma once
// One solid of a model piece, as a row of data: what shape, how big, where, how turned,
// what it is made of, and how often it repeats.

#include "scene3d/math/Vector3.h"
#include "tools/modelgen/Material.h"

namespace bw::modelgen {

// Shapes and what their size means (all built around the origin):
//   Box       full extents x, y, z.
//   Cylinder  diameter across x, length along y, diameter across z (elliptic when they differ).
//   Cone      bottom diameter x, length along y, top diameter z (a cut cone when both are > 0).
//   Tube      outer diameter x, length along y, inner diameter z.
//   Sphere    diameters x, y, z.
//   Bend      pipe diameter x, bend radius y, swept angle z in degrees; the pipe's centre line
//             runs from (radius, 0, 0) around the z axis towards +y.
//   Rotor     diameter x, blade thickness y, blade count z; blades turn about the y axis.
//   Panel     one-sided rectangle x by y in the xy plane, facing -z.
enum class Shape { Box, Cylinder, Cone, Tube, Sphere, Bend, Rotor, Panel };

struct Primitive {
    Shape shape = Shape::Box;
    Vector3 size;
    Vector3 at;
    Vector3 turn; // degrees about x, then y, then z
    Material material = Material::Black;
    int count = 1; // copies, each one step further than the last
    Vector3 step;

    // Rows of the tables give the first five; most primitives are not repeated.
    constexpr Primitive(Shape shape, Vector3 size, Vector3 at, Vector3 turn, Material material, int count = 1,
                        Vector3 step = {})
        : shape(shape), size(size), at(at), turn(turn), material(material), count(count), step(step) {}
};

} // namespace bw::modelgen
