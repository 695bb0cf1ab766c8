#include <gtest/gtest.h>

#include <string>

#include "catalogue/Base64.h"

using namespace bw::catalogue;

namespace {

std::string decoded(std::string_view text) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '=') break;
        const auto value = alphabet.find(c);
        EXPECT_NE(value, std::string::npos) << c;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

} // namespace

TEST(Base64, EncodesTheRfcVectorsAndEveryByte) {
    EXPECT_EQ(base64(""), "");
    EXPECT_EQ(base64("f"), "Zg==");
    EXPECT_EQ(base64("fo"), "Zm8=");
    EXPECT_EQ(base64("foo"), "Zm9v");
    EXPECT_EQ(base64("foob"), "Zm9vYg==");
    EXPECT_EQ(base64("fooba"), "Zm9vYmE=");
    EXPECT_EQ(base64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(base64(std::string("\xFB\xFF\xBF", 3)), "+/+/");

    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    for (std::size_t length = 0; length <= bytes.size(); length += 37) {
        const std::string encoded = base64(bytes.substr(bytes.size() - length));
        EXPECT_EQ(encoded.size() % 4, 0u);
        EXPECT_EQ(decoded(encoded), bytes.substr(bytes.size() - length)) << length;
    }
}
