#pragma once

#include <string_view>

#include "scene3d/platform/xfile/XTemplate.h"

namespace bw {

// The templates every reader knows without a declaration in the file.
const XTemplateSet& standardTemplates();

// The identifier by which callers recognise objects of a standard template
// ("TID_D3DRMFrame" for Frame), its name matched as spelled, else ignoring letter case;
// empty for any other template name.
std::string_view standardTemplateId(std::string_view templateName);

} // namespace bw
