#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/XFile.h"

namespace bw::test {

inline std::vector<std::uint8_t> readTestFile(const std::string& name) {
    std::ifstream in(std::string(SCENE3D_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

// Every top-level object of a file that reads without error.
inline std::vector<const XDataObject*> readAll(XFile& file) {
    std::vector<const XDataObject*> objects;
    while (const XDataObject* object = file.nextObject())
        objects.push_back(object);
    return objects;
}

// Reads text (header included) and returns the PlatformError code of the first failure,
// or 0 when the whole file reads.
inline ResultCode firstFailure(std::string_view text) {
    try {
        XFile file = XFile::fromBytes(bytesOf(text));
        readAll(file);
    } catch (const PlatformError& e) {
        return e.code();
    }
    return result::ok;
}

} // namespace bw::test
