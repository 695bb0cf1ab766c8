#pragma once
// Pictures go into a page as data URIs, so that the page needs nothing beside it.

#include <string>
#include <string_view>

namespace bw::catalogue {

// The bytes in base64 (RFC 4648: the standard alphabet, '=' padding, no line breaks).
std::string base64(std::string_view bytes);

} // namespace bw::catalogue
