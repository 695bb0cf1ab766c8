#pragma once
// Comparing what the forms of one file read: the text, the binary forms writers make of
// it, and each compressed.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/scene3d/support/XFileWriter.h"
#include "tests/scene3d/XFileTestSupport.h"

namespace bw::test {

inline void expectSameObject(const XDataObject& a, const XDataObject& b, const std::string& path) {
    SCOPED_TRACE(path + "/" + std::string(a.templateName) + " " + a.name);
    EXPECT_EQ(a.templateName, b.templateName);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.data, b.data);
    EXPECT_EQ(a.strings, b.strings);
    ASSERT_EQ(a.children.size(), b.children.size());
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        const XChild& ca = a.children[i];
        const XChild& cb = b.children[i];
        ASSERT_EQ(ca.isReference(), cb.isReference());
        if (ca.isReference()) {
            EXPECT_EQ(ca.referenceName(), cb.referenceName());
            ASSERT_EQ(ca.target() == nullptr, cb.target() == nullptr);
            if (ca.target()) {
                EXPECT_EQ(ca.target()->name, cb.target()->name);
            }
        } else {
            expectSameObject(ca.object(), cb.object(), path + "/" + a.name);
        }
    }
}

inline void expectSameObjects(const std::vector<const XDataObject*>& left,
                              const std::vector<const XDataObject*>& right) {
    ASSERT_EQ(left.size(), right.size());
    for (std::size_t i = 0; i < left.size(); ++i)
        expectSameObject(*left[i], *right[i], "");
}

inline void expectSameObjects(XFile& a, XFile& b) { expectSameObjects(readAll(a), readAll(b)); }

struct XForm {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// A text file (header included) and what writers make of it: the text read with 64-bit
// floats; binary with lists and 4-byte string terminators, with a token for each value and
// separator and 2-byte terminators, with 64-bit floats; the text and two binary forms
// compressed, in blocks small enough that each needs the window of the one before.
inline std::vector<XForm> everyFormOf(std::string_view text) {
    std::vector<XForm> forms;
    forms.push_back({"text", bytesOf(text)});
    std::vector<std::uint8_t> text64 = bytesOf(text);
    std::copy_n("0064", 4, text64.begin() + 12);
    forms.push_back({"text, 64-bit floats", text64});
    forms.push_back({"binary", textToBinary(text)});
    forms.push_back({"binary, a token each, 2-byte terminators", textToBinary(text, {32, true, 2})});
    forms.push_back({"binary, 64-bit floats, 2-byte terminators", textToBinary(text, {64, false, 2})});
    forms.push_back({"compressed text", compressXFile(bytesOf(text), 64)});
    forms.push_back({"compressed binary", compressXFile(forms[2].bytes, 64)});
    forms.push_back({"compressed binary, a token each", compressXFile(forms[3].bytes, 64)});
    return forms;
}

// The objects of a file read to its end, or none after a failure reported as one.
inline std::vector<const XDataObject*> readOrFail(XFile& file, const std::string& form) {
    try {
        return readAll(file);
    } catch (const PlatformError& e) {
        ADD_FAILURE() << form << ": " << e.what();
    }
    return {};
}

// The text form, read to its end, and its objects.
struct ReadForms {
    XFile text;
    std::vector<const XDataObject*> objects;
};

// Reads every form of a text file and expects the same objects and warnings from each.
inline ReadForms readEveryFormAlike(std::string_view text) {
    const std::vector<XForm> forms = everyFormOf(text);
    XFile reference = XFile::fromBytes(forms[0].bytes);
    std::vector<const XDataObject*> objects = readOrFail(reference, "text");
    for (std::size_t i = 1; i < forms.size(); ++i) {
        SCOPED_TRACE(forms[i].name);
        XFile other = XFile::fromBytes(forms[i].bytes);
        expectSameObjects(objects, readOrFail(other, forms[i].name));
        EXPECT_EQ(reference.warnings().count, other.warnings().count);
    }
    return {std::move(reference), std::move(objects)};
}

} // namespace bw::test
