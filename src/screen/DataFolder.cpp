#include "DataFolder.h"

namespace zunaka {

std::string dataFolder(const std::string& appPath)
{
    // A program in the root folder has an app path that already ends with the separator.
    const bool endsWithSeparator = !appPath.empty() && appPath.back() == '/';
    return appPath + (endsWithSeparator ? "" : "/") + "Deta/";
}

} // namespace zunaka
