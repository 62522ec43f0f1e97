#include "platform/framework/resource_registry.h"

namespace kvn {
namespace {

std::span<const DialogTemplate>& Templates() {
    static std::span<const DialogTemplate> templates;
    return templates;
}

std::span<const ImageResource>& Images() {
    static std::span<const ImageResource> images;
    return images;
}

} // namespace

void RegisterDialogTemplates(std::span<const DialogTemplate> templates) {
    Templates() = templates;
}

void RegisterImages(std::span<const ImageResource> images) {
    Images() = images;
}

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& t : Templates())
        if (t.id == id)
            return &t;
    return nullptr;
}

const ImageResource* FindImage(int id) {
    for (const ImageResource& image : Images())
        if (image.id == id)
            return &image;
    return nullptr;
}

} // namespace kvn
