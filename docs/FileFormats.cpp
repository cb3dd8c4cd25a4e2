#include "docs/FileFormats.h"

namespace {
std::vector<FileFormat>& Registry()
{
    static std::vector<FileFormat> formats;
    return formats;
}
}  // namespace

bool RegisterFileFormat(FileFormat format)
{
    Registry().push_back(std::move(format));
    return true;
}

const std::vector<FileFormat>& FileFormats()
{
    return Registry();
}
