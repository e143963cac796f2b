#include "ViewLoader.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zunaka {

namespace {

constexpr const char* kPrefix = "zunaka-soundfont-view:";

// What a callback handle stands for: the view, the SoundFont file under it, and the read position.
struct OpenView {
    const SoundFontView* view = nullptr;
    std::FILE* file = nullptr;
    std::uint64_t position = 0;
};

void* openView(const char* name)
{
    if (std::strncmp(name, kPrefix, std::strlen(kPrefix)) != 0)
        return nullptr;
    std::uintptr_t address = 0;
    if (std::sscanf(name + std::strlen(kPrefix), "%" SCNxPTR, &address) != 1)
        return nullptr;
    auto handle = std::make_unique<OpenView>();
    handle->view = reinterpret_cast<const SoundFontView*>(address);
    handle->file = std::fopen(handle->view->path().c_str(), "rb");
    return handle->file ? handle.release() : nullptr;
}

int readView(void* to, fluid_long_long_t count, void* handle)
{
    auto* open = static_cast<OpenView*>(handle);
    if (count < 0 || !open->view->read(open->file, to, open->position, static_cast<std::uint64_t>(count)))
        return FLUID_FAILED;
    open->position += static_cast<std::uint64_t>(count);
    return FLUID_OK;
}

int seekView(void* handle, fluid_long_long_t offset, int origin)
{
    auto* open = static_cast<OpenView*>(handle);
    const auto size = static_cast<fluid_long_long_t>(open->view->size());
    const fluid_long_long_t base = origin == SEEK_CUR ? static_cast<fluid_long_long_t>(open->position)
                                   : origin == SEEK_END ? size
                                                        : 0;
    if (base + offset < 0 || base + offset > size)
        return FLUID_FAILED;
    open->position = static_cast<std::uint64_t>(base + offset);
    return FLUID_OK;
}

fluid_long_long_t tellView(void* handle)
{
    return static_cast<fluid_long_long_t>(static_cast<OpenView*>(handle)->position);
}

int closeView(void* handle)
{
    auto* open = static_cast<OpenView*>(handle);
    std::fclose(open->file);
    delete open;
    return FLUID_OK;
}

} // namespace

fluid_sfloader_t* newViewLoader(fluid_settings_t* settings)
{
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (loader)
        fluid_sfloader_set_callbacks(loader, openView, readView, seekView, tellView, closeView);
    return loader;
}

std::string viewName(const SoundFontView& view)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s%" PRIxPTR, kPrefix, reinterpret_cast<std::uintptr_t>(&view));
    return name;
}

} // namespace zunaka
